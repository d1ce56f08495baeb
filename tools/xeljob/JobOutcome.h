// One look at a command line: the parser of a job kind built over the words,
// its record, the diagnostics its scanner wrote, the words it left over and
// a trace of its scan.
#ifndef XELJOB_JOBOUTCOME_H
#define XELJOB_JOBOUTCOME_H

#include <string>
#include <vector>

#include "JobKinds.h"
#include "ScanTrace.h"

namespace xeljob {

struct JobOutcome {
  const JobKind* kind;
  bool posix;  // the parse ran with POSIXLY_CORRECT present
  std::vector<std::string> words;
  std::vector<Field> record;
  std::vector<std::string> diagnostics;  // one line each, without line end
  ScanTrace trace;

  // Every word was taken as an option or a value, and nothing was reported.
  [[nodiscard]] bool clean() const {
    return diagnostics.empty() && trace.leftover.empty();
  }
};

// Sets POSIXLY_CORRECT for the parse when `posix` is true and removes it
// otherwise, so that only the tool's option decides. Element 0 of the
// parser's vector is the kind's name.
JobOutcome runJob(const JobKind& kind, const std::vector<std::string>& words,
                  bool posix);

}  // namespace xeljob

#endif  // XELJOB_JOBOUTCOME_H
