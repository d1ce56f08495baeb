// SPDX-License-Identifier: MIT
// The tool's output: an outcome or a job kind's vocabulary, either as an
// aligned table for people or as one JSON object for scripts.
#ifndef XELJOB_REPORT_H
#define XELJOB_REPORT_H

#include <string>

#include "JobOutcome.h"
#include "OptionEffects.h"

namespace xeljob {

std::string outcomeTable(const JobOutcome& outcome, bool withTrace);
std::string outcomeJson(const JobOutcome& outcome, bool withTrace,
                        bool withCanonical = false);
// The record's canonical command line, one line of words quoted for a
// POSIX shell.
std::string canonicalLine(const JobOutcome& outcome);
std::string vocabularyTable(const OptionEffects& effects);
std::string vocabularyJson(const OptionEffects& effects);

}  // namespace xeljob

#endif  // XELJOB_REPORT_H
