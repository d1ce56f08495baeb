// SPDX-License-Identifier: MIT
// The tool's output: an outcome or a job kind's vocabulary, either as an
// aligned table for people or as one JSON object for scripts.
#ifndef XELJOB_REPORT_H
#define XELJOB_REPORT_H

#include <string>
#include <vector>

#include "JobOutcome.h"
#include "JsonWriter.h"

namespace xeljob {

std::string outcomeTable(const JobOutcome& outcome, bool withTrace);
// Its members, into an object the caller has opened.
void outcomeMembers(JsonWriter& json, const JobOutcome& outcome, bool withTrace,
                    bool withCanonical);
// The record's canonical command line, one line of words quoted for a
// POSIX shell.
std::string canonicalLine(const JobOutcome& outcome);
std::string vocabularyTable(const JobKind& kind);
std::string vocabularyJson(const JobKind& kind);

// For people: a word as it stands, or quoted() when it is empty or holds a
// blank, a quote or a byte that must be escaped; words separated by spaces;
// a value, a text in double quotes.
std::string wordText(const std::string& word);
std::string wordsText(const std::vector<std::string>& words);
std::string valueText(const Value& value);

// An outcome's "conversions" object (accessor: names) and its
// "otherConversions" array ({words, conversions}).
void conversionsObject(JsonWriter& json, const JobOutcome& outcome,
                       bool compact);
void otherConversionsArray(JsonWriter& json, const JobOutcome& outcome,
                           bool compact);

}  // namespace xeljob

#endif  // XELJOB_REPORT_H
