// SPDX-License-Identifier: MIT
// Fuzz target for RestoreOptionsParser: command lines from every job
// vocabulary and hostile values, with the checks every parser owes.
#include <cstdint>
#include <string>
#include <vector>

#include "ParserFuzz.h"
#include "RestoreOptionsParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::vector<std::string> words;
  parser_fuzz::fuzzParser<RestoreOptionsParser>(data, size, words);
  return 0;
}
