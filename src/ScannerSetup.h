// Puts a parser's scanner in place over a job's argument vector.
#ifndef XELOPTS_SRC_SCANNERSETUP_H
#define XELOPTS_SRC_SCANNERSETUP_H

#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// Replaces the scanner with a fresh one over argc, argv and the
// vocabulary's short options, then registers the vocabulary's long names in
// their order.
void installScanner(XelGetOpt& scanner, int argc, char** argv,
                    const XelOptionsParser::Vocabulary& vocabulary);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SCANNERSETUP_H
