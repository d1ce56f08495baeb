// SPDX-License-Identifier: MIT
// What the tool writes on standard output, and its exit statuses.
#ifndef XELJOB_TOOLOUTPUT_H
#define XELJOB_TOOLOUTPUT_H

#include <functional>
#include <string>

#include "CommandLine.h"
#include "JobOutcome.h"
#include "JsonWriter.h"

namespace xeljob {

// Exit statuses.
constexpr int kClean = 0;     // every word an option or a value, as written
constexpr int kReported = 1;  // diagnostics, words left over, or a value
                              // not taken as written
constexpr int kFailed = 2;    // a usage error, or the tool could not finish
constexpr int kCutOff = 3;    // the reader of standard output went away

// Writes the text on standard output and returns status; when that fails,
// returns what outputFailed does.
int writeOut(const std::string& text, int status);

// For the errno value `error` of a failed write to standard output: a
// closed pipe ends quietly, as it does for grep, with kCutOff; else says
// why on standard error and returns kFailed.
int outputFailed(int error);

// What comes before an outcome's own report: lines above the table, and
// members before the outcome's in its JSON object.
struct OutcomeHead {
  std::string table;
  std::function<void(JsonWriter&)> json = [](JsonWriter&) {};
};

// Writes the outcome as the request asks (table, JSON or canonical line)
// and returns the exit status.
int writeOutcome(const JobOutcome& outcome, const Request& request,
                 const OutcomeHead& head = {});

}  // namespace xeljob

#endif  // XELJOB_TOOLOUTPUT_H
