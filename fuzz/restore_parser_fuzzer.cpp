// Fuzz target for RestoreOptionsParser: command lines from every job
// vocabulary and hostile values, with the checks every parser owes.
#include <cstdint>
#include <string>
#include <vector>

#include "ParserFuzz.h"
#include "RestoreOptionsParser.h"

namespace {

parser_fuzz::Parsed parse(int argc, char** argv) {
  RestoreOptionsParser p(argc, argv);
  parser_fuzz::Parsed parsed;
  parsed.flags = {{"isRBSJob", p.isRBSJob()}, {"isDctmJob", p.isDctmJob()}};
  parsed.record = std::to_string(p.getJobId()) + "|" +
                  std::to_string(p.getApplicationNumber()) + "|" +
                  std::to_string(p.getQuorvelId()) + "|" +
                  std::to_string(p.getRestoreTaskId()) + "|" +
                  p.getVirtualMachine() + "|" + p.getJobToken() + "|" +
                  p.getClientMachine() + "|" + p.getMaHostName();
  for (const auto& flag : parsed.flags) {
    parsed.record += flag.second ? "1" : "0";
  }
  return parsed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> words;
  parser_fuzz::fuzzParser(data, size, RestoreOptionsParser::vocabulary(), parse,
                          words);
  return 0;
}
