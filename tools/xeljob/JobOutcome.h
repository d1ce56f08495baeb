// SPDX-License-Identifier: MIT
// One look at a command line: the parser of a job kind built over the words
// with a parse report, its record, and what each step of the scan changed.
#ifndef XELJOB_JOBOUTCOME_H
#define XELJOB_JOBOUTCOME_H

#include <string>
#include <vector>

#include "JobKinds.h"

namespace xeljob {

// An accessor whose value a step changed.
struct Change {
  const char* accessor;
  Value before;
  Value after;
};

struct JobOutcome {
  const JobKind* kind;
  bool posix;  // the parse ran with POSIXLY_CORRECT present
  std::vector<std::string> words;
  Record record;
  XelOptionsParser::ParseReport report;
  // What each step of report.steps changed, step by step.
  std::vector<std::vector<Change>> changes;
  // The record written back as the kind's canonical command line.
  XelOptionsParser::CommandLine canonical;

  // Every word was taken as an option or a value, and nothing was reported.
  [[nodiscard]] bool clean() const { return report.isClean(); }
};

// Sets POSIXLY_CORRECT for the parse when `posix` is true and removes it
// otherwise, so that only the tool's option decides. Element 0 of the
// parser's vector is the kind's name.
JobOutcome runJob(const JobKind& kind, const std::vector<std::string>& words,
                  bool posix);

// The accessors that an option of the kind's vocabulary changes when it is
// given alone (with the value "7:7", a number, a text and an application id
// at once), in field order.
std::vector<std::string> accessorsChangedBy(
    const JobKind& kind, const XelOptionsParser::OptionSpec& option);

}  // namespace xeljob

#endif  // XELJOB_JOBOUTCOME_H
