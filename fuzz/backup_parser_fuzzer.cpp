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

parser_fuzz::Parsed parse(int argc, char** argv) {
  BackupOptionsParser p(argc, argv);
  parser_fuzz::Parsed parsed;
  parsed.flags = {{"isLOption", p.isLOption()},
                  {"isDOption", p.isDOption()},
                  {"isIOption", p.isIOption()},
                  {"isSkipConversion", p.isSkipConversion()},
                  {"isIntegrityCheck", p.isIntegrityCheck()},
                  {"isRBSJob", p.isRBSJob()},
                  {"isAlwaysONJob", p.isAlwaysONJob()},
                  {"isDctmJob", p.isDctmJob()},
                  {"isTLToSnapJob", p.isTLToSnapJob()}};
  parsed.record = std::to_string(p.getJobId()) + "|" +
                  std::to_string(p.getApplicationNumber()) + "|" +
                  std::to_string(p.getQuorvelId()) + "|" +
                  std::to_string(p.getBackupType()) + "|" +
                  std::to_string(p.getRestoreTaskId()) + "|" +
                  std::to_string(p.getNumStreamsForRBS()) + "|" +
                  p.getVirtualMachine() + "|" + p.getJobToken() + "|" +
                  p.getClientMachine() + "|" + p.getMediaAgent() + "|" +
                  p.getFullRestartString() + "|" + p.getBackupPhase();
  for (const auto& flag : parsed.flags) {
    parsed.record += flag.second ? "1" : "0";
  }
  parsed.special = p.getFullRestartString();
  return parsed;
}

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
  const parser_fuzz::Parsed parsed = parser_fuzz::fuzzParser(
      data, size, BackupOptionsParser::vocabulary(), parse, words);
  if (!isRestartRun(parsed.special, words)) {
    std::fprintf(stderr, "restart text \"%s\" from:", parsed.special.c_str());
    for (const std::string& w : words) {
      std::fprintf(stderr, " \"%s\"", w.c_str());
    }
    std::fprintf(stderr, "\n");
  }
  require(isRestartRun(parsed.special, words),
          "the restart text is a run of \"-o \" entries of given values");
  return 0;
}
