// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <XelGetOpt.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "JobKinds.h"
#include "ProcessJob.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

struct ToolOption {
  const char* name;     // after its two dashes
  bool Request::*flag;  // what a switch sets; null for a mode option
  Mode mode;
};

// The scanner returns an option's index here as its code.
const ToolOption kToolOptions[] = {
    {"help", &Request::help, Mode::words},
    {"version", &Request::version, Mode::words},
    {"json", &Request::json, Mode::words},
    {"trace", &Request::trace, Mode::words},
    {"posix", &Request::posix, Mode::words},
    {"vocabulary", &Request::vocabulary, Mode::words},
    {"canonical", &Request::canonical, Mode::words},
    {"keyed", &Request::keyed, Mode::words},
    {"cmdline", nullptr, Mode::cmdline},
    {"pid", nullptr, Mode::pid},
    {"diff", nullptr, Mode::diff},
    {"lines", nullptr, Mode::lines},
};

std::vector<XelGetOpt::option> longOptions() {
  std::vector<XelGetOpt::option> table;
  for (const ToolOption& option : kToolOptions) {
    const auto arity = !option.flag && option.mode != Mode::diff
                           ? XelGetOpt::required_argument
                           : XelGetOpt::no_argument;
    table.push_back({option.name, arity, nullptr, int(table.size())});
  }
  table.push_back({});
  return table;
}

std::string modeName(Mode mode) {
  const auto* option = std::find_if(
      std::begin(kToolOptions), std::end(kToolOptions),
      [mode](const ToolOption& o) { return !o.flag && o.mode == mode; });
  return std::string("--") + option->name;
}

void apply(const ToolOption& option, const char* value, Request& request) {
  if (option.flag != nullptr) {
    request.*option.flag = true;
  } else if (request.mode != Mode::words && request.mode != option.mode) {
    request.usageError = modeName(request.mode) + " and --" + option.name +
                         " cannot be combined";
  } else {
    request.mode = option.mode;
    request.source = value != nullptr ? value : "";
  }
}

// What is wrong with the words and options that a mode was given with;
// empty when nothing is.
std::string modeMisuse(const Request& request) {
  const bool diff = request.mode == Mode::diff;
  const char* other = request.vocabulary  ? "--vocabulary"
                      : !diff             ? nullptr
                      : request.canonical ? "--canonical"
                      : request.trace     ? "--trace"
                                          : nullptr;
  if (other != nullptr) {
    return modeName(request.mode) + " and " + other + " cannot be combined";
  }
  if (diff) {
    return request.words.size() == 2
               ? ""
               : "--diff compares two job lines, each one word; got " +
                     std::to_string(request.words.size());
  }
  if (!request.words.empty()) {
    return "unexpected word " + quoted(request.words.front()) + ": " +
           modeName(request.mode) + " reads the job words from " +
           (request.mode == Mode::pid ? "the process" : "the file");
  }
  if (request.mode == Mode::pid && processId(request.source) == 0) {
    return "--pid takes a process id, not " + quoted(request.source);
  }
  return {};
}

// What is wrong with a command line whose tool options were read; empty when
// nothing is.
std::string misuse(const Request& request, bool kindGiven) {
  if (request.help || request.version) {
    return !kindGiven ? ""
                      : "unexpected word " + quoted(request.kind) + " after " +
                            (request.help ? "--help" : "--version");
  }
  if (!kindGiven) {
    return "missing job kind (" + jobKindNames() + ")";
  }
  if (findJobKind(request.kind) == nullptr) {
    return "unknown job kind " + quoted(request.kind) + " (expected " +
           jobKindNames() + ")";
  }
  if (request.keyed && request.mode != Mode::lines) {
    return "--keyed needs --lines";
  }
  if (request.canonical && request.trace && !request.json &&
      request.mode != Mode::lines) {
    return "--canonical prints only the canonical line, so --trace needs "
           "--json";
  }
  if (request.mode != Mode::words) {
    return modeMisuse(request);
  }
  return request.vocabulary && !request.words.empty()
             ? "unexpected word " + quoted(request.words.front()) +
                   ": --vocabulary parses no job words"
             : "";
}

// Whether `word` is spelled as one of the tool's own options.
bool isToolOption(const std::string& word) {
  return word == "-h" ||
         std::any_of(std::begin(kToolOptions), std::end(kToolOptions),
                     [&word](const ToolOption& option) {
                       return word == std::string("--") + option.name;
                     });
}

}  // namespace

Request readCommandLine(int argc, char** argv) {
  static const std::vector<XelGetOpt::option> table = longOptions();
  Request request;
  XelGetOpt scanner;
  scanner.opterr = 0;
  // "+": the kind ends the tool options; ":" tells a missing value apart.
  for (int code = 0; request.usageError.empty() &&
                     (code = scanner.getopt_long(
                          argc, argv, "+:h", table.data(), nullptr)) != -1;) {
    const std::string word = argv[scanner.consumed().first];
    if (code == ':') {
      request.usageError = word + " needs a value";
    } else if (code == '?') {
      request.usageError = "unknown option " + quoted(word) +
                           " (job words go after the job kind)";
    } else {
      apply(kToolOptions[code == 'h' ? 0 : code], scanner.optarg(), request);
    }
  }
  if (!request.usageError.empty()) {
    return request;
  }
  const bool kindGiven = scanner.optind < argc;
  if (kindGiven) {
    request.kind = argv[scanner.optind];
    request.words.assign(argv + scanner.optind + 1, argv + argc);
  }
  request.usageError = misuse(request, kindGiven);
  // Up to a "--", which tells the job that the words after it are no options.
  const auto end = std::find(request.words.begin(), request.words.end(), "--");
  const auto misplaced = std::find_if(request.words.begin(), end, isToolOption);
  if (request.mode == Mode::words && misplaced != end) {
    request.hint = quoted(*misplaced) +
                   " is taken as a job word; xeljob's own options go before "
                   "the job kind";
  }
  return request;
}

}  // namespace xeljob
