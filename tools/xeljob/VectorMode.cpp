// SPDX-License-Identifier: MIT
// --cmdline and --pid: a job's argument vector as the kernel keeps it. Its
// program name is shown, not parsed.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

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

}  // namespace

int runVectorMode(const JobKind& kind, const Request& request) {
  OutcomeHead head;
  head.json.clear();
  JsonWriter json(head.json);
  json.beginObject();
  ArgumentVector vector;
  bool posix = request.posix;
  if (request.mode == Mode::pid) {
    ProcessJob job = readProcessJob(processId(request.source));
    if (!job.argumentAreaChecked) {
      std::fprintf(stderr,
                   "xeljob: process %ld: the end of its argument area could "
                   "not be checked; its words are shown as the kernel gives "
                   "them\n",
                   job.pid);
    }
    vector = std::move(job.vector);
    if (job.environmentRead) {
      posix = job.posixlyCorrect;
    }
    if (request.posix && !posix) {
      std::fprintf(stderr,
                   "xeljob: process %ld: --posix is overridden: "
                   "POSIXLY_CORRECT is not set in the environment it was "
                   "started with\n",
                   job.pid);
    }
    head.table = "process " + std::to_string(job.pid) +
                 ", program: " + quoted(vector.program) + " (not parsed)\n" +
                 posixText(job, request.posix);
    json.member("pid", static_cast<std::int64_t>(job.pid));
    json.member("program", vector.program);
    json.member("posixFrom", job.environmentRead ? "environment" : "option");
    json.member("environmentError", job.environmentRead
                                        ? std::nullopt
                                        : std::optional(job.environmentError));
  } else {
    vector = readArgumentFile(request.source);
    head.table = "program: " + quoted(vector.program) + " (not parsed)\n";
    json.member("program", vector.program);
  }
  json.endObject();
  return writeOutcome(runJob(kind, vector.words, posix, request.trace), request,
                      head);
}

}  // namespace xeljob
