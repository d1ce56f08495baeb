// SPDX-License-Identifier: MIT
// The tool's output: an outcome or a job kind's vocabulary, either as an
// aligned table for people or as one JSON object for scripts.
#ifndef XELJOB_REPORT_H
#define XELJOB_REPORT_H

#include <string>

#include "JobKinds.h"
#include "JobOutcome.h"

namespace xeljob {

std::string outcomeTable(const JobOutcome& outcome, bool withTrace);
std::string outcomeJson(const JobOutcome& outcome, bool withTrace,
                        bool withCanonical = false);
// The record's canonical command line, one line of words quoted for a
// POSIX shell.
std::string canonicalLine(const JobOutcome& outcome);
std::string vocabularyTable(const JobKind& kind);
std::string vocabularyJson(const JobKind& kind);

}  // namespace xeljob

#endif  // XELJOB_REPORT_H
