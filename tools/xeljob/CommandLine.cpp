// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <cstring>

#include "JobKinds.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

// Sets the switch named by a tool option; false when there is none.
bool applyToolOption(const std::string& option, Request& request) {
  const struct {
    const char* name;
    bool Request::*flag;
  } switches[] = {
      {"--help", &Request::help},
      {"--version", &Request::version},
      {"--json", &Request::json},
      {"--trace", &Request::trace},
      {"--posix", &Request::posix},
      {"--vocabulary", &Request::vocabulary},
      {"--canonical", &Request::canonical},
  };
  for (const auto& entry : switches) {
    if (option == entry.name) {
      request.*entry.flag = true;
      return true;
    }
  }
  return false;
}

}  // namespace

Request readCommandLine(int argc, const char* const* argv) {
  Request request;
  int index = 1;
  bool kindGiven = false;
  for (; index < argc; ++index) {
    const std::string word = argv[index];
    if (word == "--") {
      ++index;
      break;
    }
    if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      if (!applyToolOption(word, request)) {
        request.usageError = "unknown option " + quoted(word) +
                             " (job words that begin with -- go after --)";
        return request;
      }
      continue;
    }
    if (kindGiven) {
      break;  // the first job word
    }
    if (word[0] == '-') {
      request.usageError = "unknown option " + quoted(word);
      return request;
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
  }
  return request;
}

}  // namespace xeljob
