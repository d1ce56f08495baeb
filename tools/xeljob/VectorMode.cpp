// SPDX-License-Identifier: MIT
// --cmdline and --pid: a job's argument vector as the kernel keeps it. Its
// program name is shown, not parsed.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "ArgumentVector.h"
#include "JsonWriter.h"
#include "Modes.h"
#include "ProcessJob.h"
#include "TextEscape.h"
#include "ToolOutput.h"

namespace xeljob {
namespace {

// Where POSIXLY_CORRECT was taken from, for people.
std::string posixText(const ProcessJob& job, bool posixOption) {
  if (job.environmentRead) {
    return std::string("POSIXLY_CORRECT: ") +
           (job.posixlyCorrect ? "set" : "not set") +
           " in the environment it was started with\n";
  }
  return "POSIXLY_CORRECT: its environment cannot be read (" +
         printable(job.environmentError) + "): taken as " +
         (posixOption ? "set, as --posix is given\n"
                      : "not set, as --posix is not given\n");
}

// --pid: the job's words, and where POSIXLY_CORRECT was taken from.
int runPidMode(const JobKind& kind, const Request& request) {
  const ProcessJob job = readProcessJob(processId(request.source));
  const bool posix = job.environmentRead ? job.posixlyCorrect : request.posix;
  if (request.posix && !posix) {
    std::fprintf(stderr,
                 "xeljob: process %ld: --posix is overridden: "
                 "POSIXLY_CORRECT is not set in the environment it was "
                 "started with\n",
                 job.pid);
  }
  OutcomeHead head{
      "process " + std::to_string(job.pid) +
          ", program: " + quoted(job.vector.program) + " (not parsed)\n" +
          posixText(job, request.posix),
      [&job](JsonWriter& json) {
        json.member("pid", static_cast<std::int64_t>(job.pid));
        json.member("program", job.vector.program);
        json.member("posixFrom",
                    job.environmentRead ? "environment" : "option");
        json.member("environmentError",
                    job.environmentRead ? std::nullopt
                                        : std::optional(job.environmentError));
      }};
  return writeOutcome(runJob(kind, job.vector.words, posix, request.trace),
                      request, head);
}

}  // namespace

int runVectorMode(const JobKind& kind, const Request& request) {
  if (request.mode == Mode::pid) {
    return runPidMode(kind, request);
  }
  const ArgumentVector vector = readArgumentFile(request.source);
  OutcomeHead head{
      "program: " + quoted(vector.program) + " (not parsed)\n",
      [&vector](JsonWriter& json) { json.member("program", vector.program); }};
  return writeOutcome(runJob(kind, vector.words, request.posix, request.trace),
                      request, head);
}

}  // namespace xeljob
