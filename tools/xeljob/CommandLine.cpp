// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "JobKinds.h"
#include "ProcessJob.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

const struct {
  const char* name;
  bool Request::*flag;
} kSwitches[] = {
    {"--help", &Request::help},
    {"-h", &Request::help},  // before the kind only: after it, a job word
    {"--version", &Request::version},
    {"--json", &Request::json},
    {"--trace", &Request::trace},
    {"--posix", &Request::posix},
    {"--vocabulary", &Request::vocabulary},
    {"--canonical", &Request::canonical},
};

// Sets the switch named by a tool option; false when there is none.
bool applyToolOption(const std::string& option, Request& request) {
  for (const auto& entry : kSwitches) {
    if (option == entry.name) {
      request.*entry.flag = true;
      return true;
    }
  }
  return false;
}

struct ModeOption {
  const char* name;
  Mode mode;
  bool takesValue;
};

const ModeOption kModeOptions[] = {
    {"--cmdline", Mode::cmdline, true},
    {"--pid", Mode::pid, true},
    {"--diff", Mode::diff, false},
    {"--lines", Mode::lines, true},
};

const char* modeName(Mode mode) {
  for (const ModeOption& option : kModeOptions) {
    if (option.mode == mode) {
      return option.name;
    }
  }
  return "";
}

// Sets the mode named by `word` ("--lines", "--lines=FILE"), taking its
// value from the next word when it needs one; false when `word` names no
// mode. A problem goes to request.usageError.
bool applyModeOption(const std::string& word, int argc, const char* const* argv,
                     int& index, Request& request) {
  const std::string name = word.substr(0, word.find('='));
  for (const ModeOption& option : kModeOptions) {
    if (name != option.name || (name != word && !option.takesValue)) {
      continue;
    }
    if (request.mode != Mode::words && request.mode != option.mode) {
      request.usageError = std::string(modeName(request.mode)) + " and " +
                           option.name + " cannot be combined";
    } else if (name != word) {
      request.source = word.substr(name.size() + 1);
    } else if (option.takesValue && index + 1 < argc) {
      request.source = argv[++index];
    } else if (option.takesValue) {
      request.usageError = std::string(option.name) + " needs a value";
    }
    request.mode = option.mode;
    return true;
  }
  return false;
}

// What is wrong with the words and options that a mode was given with;
// empty when nothing is.
std::string modeMisuse(const Request& request) {
  const std::string name = modeName(request.mode);
  if (request.vocabulary) {
    return name + " and --vocabulary cannot be combined";
  }
  if (request.mode == Mode::diff) {
    if (request.canonical || request.trace) {
      return std::string("--diff and ") +
             (request.canonical ? "--canonical" : "--trace") +
             " cannot be combined";
    }
    if (request.words.size() != 2) {
      return "--diff compares two job lines, each one word; got " +
             std::to_string(request.words.size());
    }
    return {};
  }
  if (!request.words.empty()) {
    return "unexpected word " + quoted(request.words.front()) + ": " + name +
           " reads the job words from " +
           (request.mode == Mode::pid ? "the process" : "the file");
  }
  if (request.mode == Mode::pid && processId(request.source) == 0) {
    return "--pid takes a process id, not " + quoted(request.source);
  }
  return {};
}

// Whether `word` is spelled as one of the tool's own options.
bool isToolOption(const std::string& word) {
  const auto named = [&word](const auto& entry) { return word == entry.name; };
  return std::any_of(std::begin(kSwitches), std::end(kSwitches), named) ||
         std::any_of(std::begin(kModeOptions), std::end(kModeOptions), named);
}

}  // namespace

Request readCommandLine(int argc, const char* const* argv) {
  Request request;
  int index = 1;
  bool kindGiven = false;
  bool toolOptionsEnded = false;  // by "--": what follows is meant as job words
  for (; index < argc; ++index) {
    const std::string word = argv[index];
    if (word == "--") {
      ++index;
      toolOptionsEnded = true;
      break;
    }
    const bool longOption = word.size() > 2 && word.compare(0, 2, "--") == 0;
    if (!longOption && kindGiven) {
      break;  // the first job word
    }
    if (longOption || word[0] == '-') {  // a short one: "-h"
      if (!(longOption && applyModeOption(word, argc, argv, index, request)) &&
          !applyToolOption(word, request)) {
        request.usageError =
            "unknown option " + quoted(word) +
            (longOption ? " (job words that begin with -- go after --)" : "");
      }
      if (!request.usageError.empty()) {
        return request;
      }
      continue;
    }
    request.kind = word;
    kindGiven = true;
  }
  if (!kindGiven && index < argc) {
    request.kind = argv[index++];  // "xeljob [options] -- KIND WORD..."
    kindGiven = true;
  }
  request.words.assign(argv + index, argv + argc);

  if (request.help || request.version) {
    return request;
  }
  if (!kindGiven) {
    request.usageError = "missing job kind (" + jobKindNames() + ")";
  } else if (findJobKind(request.kind) == nullptr) {
    request.usageError = "unknown job kind " + quoted(request.kind) +
                         " (expected " + jobKindNames() + ")";
  } else if (request.mode != Mode::words) {
    request.usageError = modeMisuse(request);
  } else if (request.vocabulary && !request.words.empty()) {
    request.usageError = "unexpected word " + quoted(request.words.front()) +
                         ": --vocabulary parses no job words";
  }
  if (request.usageError.empty() && request.canonical && request.trace &&
      !request.json && request.mode != Mode::lines) {
    request.usageError =
        "--canonical prints only the canonical line, so --trace needs --json";
  }
  const auto misplaced =
      std::find_if(request.words.begin(), request.words.end(), isToolOption);
  if (request.mode == Mode::words && !toolOptionsEnded &&
      misplaced != request.words.end()) {
    request.hint = quoted(*misplaced) +
                   " is taken as a job word; xeljob's own options go before "
                   "the job kind";
  }
  return request;
}

}  // namespace xeljob
