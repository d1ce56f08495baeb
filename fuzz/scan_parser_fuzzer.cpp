// Fuzz target for ScanOptionsParser: command lines from every job
// vocabulary and hostile values; besides the checks every parser owes, the
// restart string is empty or one of the values given, and a null argv
// leaves the defaults.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ParserFuzz.h"
#include "ScanOptionsParser.h"

namespace {

parser_fuzz::Parsed parse(int argc, char** argv) {
  ScanOptionsParser p(argc, argv);
  parser_fuzz::Parsed parsed;
  parsed.record = std::to_string(p.getJobId()) + "|" +
                  std::to_string(p.getApplicationNumber()) + "|" +
                  std::to_string(p.getQuorvelId()) + "|" +
                  std::to_string(p.getBackupType()) + "|" +
                  std::to_string(p.getRestoreTaskId()) + "|" +
                  p.getVirtualMachine() + "|" + p.getJobToken() + "|" +
                  p.getClientMachine() + "|" + p.getMediaAgent() + "|" +
                  p.getRestartString() + "|" + p.getBackupPhase();
  parsed.special = p.getRestartString();
  return parsed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> words;
  const parser_fuzz::Parsed parsed = parser_fuzz::fuzzParser(
      data, size, ScanOptionsParser::vocabulary(), parse, words);
  const std::vector<std::string> values = parser_fuzz::possibleValues(words);
  require(parsed.special.empty() || std::find(values.begin(), values.end(),
                                              parsed.special) != values.end(),
          "the restart string is one of the values given");

  static const std::string defaults = [] { return parse(0, nullptr).record; }();
  require(parse(static_cast<int>(words.size()), nullptr).record == defaults,
          "a null argv leaves the defaults");
  return 0;
}
