// SPDX-License-Identifier: MIT
#include "ToolOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Report.h"

namespace xeljob {

int outputFailed(int error) {
  if (error == EPIPE) {
    return kCutOff;
  }
  std::fprintf(stderr, "xeljob: cannot write to standard output: %s\n",
               error != 0 ? std::strerror(error) : "write failed");
  return kFailed;
}

int writeOut(const std::string& text, int status) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
      std::fflush(stdout) == 0) {
    return status;
  }
  return outputFailed(errno);
}

int writeOutcome(const JobOutcome& outcome, const Request& request,
                 const OutcomeHead& head) {
  if (request.canonical && !outcome.canonical.isWritten()) {
    // A record parsed from words can always be written: a fault.
    std::fprintf(stderr,
                 "xeljob: the record cannot be written as a command line "
                 "(%s)\n",
                 outcome.canonical.field);
    return kFailed;
  }
  const int status =
      outcome.report.isClean() && outcome.report.isTakenAsWritten() ? kClean
                                                                    : kReported;
  if (request.json) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    head.json(json);
    outcomeMembers(json, outcome, request.trace, request.canonical);
    json.endObject();
    return writeOut(out, status);
  }
  return writeOut(request.canonical
                      ? canonicalLine(outcome)
                      : head.table + outcomeTable(outcome, request.trace),
                  status);
}

}  // namespace xeljob
