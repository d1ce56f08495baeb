// SPDX-License-Identifier: MIT
// Fuzz target for BackupOptionsParser: command lines from every job
// vocabulary and hostile values; besides the checks every parser owes, the
// restart text is empty or a run of "-o " entries, each one a value given.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "BackupOptionsParser.h"
#include "ParserFuzz.h"

namespace {

// True when text is a run of "-o " + value entries, each value a word of the
// line or the rest of a cluster.
bool isRestartRun(const std::string& text,
                  const std::vector<std::string>& words) {
  const std::vector<std::string> values = parser_fuzz::possibleValues(words);
  std::vector<bool> reachable(text.size() + 1, false);
  reachable[0] = true;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!reachable[at] || text.compare(at, 3, "-o ") != 0) {
      continue;
    }
    for (const std::string& v : values) {
      // setRestartString ignores empty texts: an entry is never "-o ".
      if (!v.empty() && text.compare(at + 3, v.size(), v) == 0) {
        reachable[at + 3 + v.size()] = true;
      }
    }
  }
  return reachable[text.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> words;
  const std::string restart =
      parser_fuzz::fuzzParser<BackupOptionsParser>(data, size, words)
          .text("getFullRestartString");
  if (!isRestartRun(restart, words)) {
    std::fprintf(stderr, "restart text \"%s\" from:", restart.c_str());
    for (const std::string& w : words) {
      std::fprintf(stderr, " \"%s\"", w.c_str());
    }
    std::fprintf(stderr, "\n");
  }
  require(isRestartRun(restart, words),
          "the restart text is a run of \"-o \" entries of given values");
  return 0;
}
