// SPDX-License-Identifier: MIT
// What a job kind makes of its vocabulary, once and at compile time.
#ifndef XELOPTS_SRC_JOBKIND_H
#define XELOPTS_SRC_JOBKIND_H

#include <cstddef>

#include "CommandLineWriter.h"
#include "LongOptionTable.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// The vocabulary a kind publishes, the long-option table every parser of
// the kind scans with, and the index its command lines are written with.
struct JobKind {
  template <std::size_t N>
  constexpr JobKind(const char* shortOptions,
                    const XelOptionsParser::OptionSpec (&options)[N])
      : vocabulary{shortOptions, options, static_cast<int>(N)},
        longOptions(options, static_cast<int>(N)),
        codes(vocabulary) {}

  XelOptionsParser::Vocabulary vocabulary;
  JobTable longOptions;
  CodeIndex codes;
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBKIND_H
