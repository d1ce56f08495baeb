// SPDX-License-Identifier: MIT
// The tool's output: an outcome as an aligned table for people
// (OutcomeTable.cpp) or as one JSON object for scripts (OutcomeJson.cpp),
// and a job kind's vocabulary either way (VocabularyReport.cpp).
#ifndef XELJOB_REPORT_H
#define XELJOB_REPORT_H

#include <string>

#include "JobOutcome.h"
#include "JsonWriter.h"

namespace xeljob {

std::string outcomeTable(const JobOutcome& outcome, bool withTrace);
// The record's canonical command line, one line of words quoted for a
// POSIX shell.
std::string canonicalLine(const JobOutcome& outcome);

// The outcome's members, into an object the caller has opened.
void outcomeMembers(JsonWriter& json, const JobOutcome& outcome, bool withTrace,
                    bool withCanonical);
// An outcome's "conversions" object (accessor: names) and its
// "otherConversions" array ({words, conversions}).
void conversionsObject(JsonWriter& json, const JobOutcome& outcome,
                       bool compact);
void otherConversionsArray(JsonWriter& json, const JobOutcome& outcome,
                           bool compact);

std::string vocabularyTable(const JobKind& kind);
std::string vocabularyJson(const JobKind& kind);

}  // namespace xeljob

#endif  // XELJOB_REPORT_H
