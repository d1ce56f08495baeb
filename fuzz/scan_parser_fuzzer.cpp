// SPDX-License-Identifier: MIT
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> words;
  const std::string restart =
      parser_fuzz::fuzzParser<ScanOptionsParser>(data, size, words)
          .text("getRestartString");
  const std::vector<std::string> values = parser_fuzz::possibleValues(words);
  require(restart.empty() ||
              std::find(values.begin(), values.end(), restart) != values.end(),
          "the restart string is one of the values given");

  using parser_fuzz::parse;
  static const std::string defaults =
      parse<ScanOptionsParser>(0, nullptr).record;
  XelOptionsParser::ParseReport report;
  require(
      parse<ScanOptionsParser>(static_cast<int>(words.size()), nullptr, &report)
                  .record == defaults &&
          report.steps.empty(),
      "a null argv leaves the defaults and an empty report");
  return 0;
}
