// SPDX-License-Identifier: MIT
// xeljob: answers "what will my job process see for this command line?" by
// building the job kind's parser over the words and showing its record, the
// scanner's diagnostics and the words left over.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include <XeloptsVersion.h>

#include "CommandLine.h"
#include "JobKinds.h"
#include "JobOutcome.h"
#include "Report.h"

namespace {

// Exit statuses.
constexpr int kClean = 0;     // every word an option or a value, as written
constexpr int kReported = 1;  // diagnostics, words left over, or a value
                              // not taken as written
constexpr int kFailed = 2;    // a usage error, or the tool could not finish

const char kHelp[] =
    "Usage: xeljob [TOOL-OPTION...] KIND [TOOL-OPTION...] [--] [WORD...]\n"
    "Builds the option parser of a job KIND (backup, restore or scan) over\n"
    "the WORDs, as a job process started with them would, and shows every\n"
    "accessor of the record (marking each value not taken as written, with\n"
    "how it was read), the scanner's diagnostics and the words left behind\n"
    "the options.\n"
    "\n"
    "Tool options (words that begin with \"--\" before the first job word;\n"
    "job words that begin with \"--\" go after a \"--\"):\n"
    "  --json        one JSON object instead of the table\n"
    "  --trace       also list every scanner call: its code, the words it\n"
    "                consumed and its outcome (the accessors whose values it\n"
    "                changed, or why nothing changed, or the error)\n"
    "  --posix       parse with POSIXLY_CORRECT present (the first stray\n"
    "                word ends the options); without it the variable is\n"
    "                removed for the parse\n"
    "  --canonical   print only the record's canonical command line, quoted\n"
    "                for a POSIX shell: command lines that give the same\n"
    "                record give the same line (with --json: the object's\n"
    "                \"canonical\" array of words)\n"
    "  --vocabulary  show the KIND's short options and long names instead\n"
    "  --help        show this text\n"
    "  --version     show the versions of xeljob and of the library it runs\n"
    "                with\n"
    "\n"
    "Exit status: 0 when every word was taken as an option or a value and\n"
    "every value as written, 1 when the scanner reported something, words\n"
    "were left over or a value was not taken as written, 2 for a usage\n"
    "error, or when the tool cannot run or write its report.\n"
    "\n"
    "Example: xeljob backup -j 812 -a 5:57 -cn client01 -rbs extra\n";

// Writes the text on standard output and returns status; when that fails
// (a full disk, a closed pipe), says so on standard error and returns
// kFailed.
int writeOut(const std::string& text, int status) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
      std::fflush(stdout) == 0) {
    return status;
  }
  const int error = errno;
  std::fprintf(stderr, "xeljob: cannot write to standard output: %s\n",
               error != 0 ? std::strerror(error) : "write failed");
  return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace xeljob;
  // A reader that goes away must give an exit status, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  const Request request = readCommandLine(argc, argv);
  if (!request.usageError.empty()) {
    std::fprintf(stderr, "xeljob: %s; try 'xeljob --help'\n",
                 request.usageError.c_str());
    return kFailed;
  }
  if (request.help) {
    return writeOut(kHelp, kClean);
  }
  if (request.version) {
    // The library's own word: a different one may be loaded than the one
    // the tool was built with.
    return writeOut(
        std::string("xeljob (xelopts) " XELJOB_VERSION "\nlibxelopts ") +
            xelopts::version() + "\n",
        kClean);
  }

  const JobKind& kind = *findJobKind(request.kind);
  try {
    if (request.vocabulary) {
      const OptionEffects effects(kind);
      return writeOut(
          request.json ? vocabularyJson(effects) : vocabularyTable(effects),
          kClean);
    }
    const JobOutcome outcome =
        runJob(kind, request.words, request.posix, request.trace);
    if (request.canonical && !outcome.canonical.isWritten()) {
      // A record parsed from words can always be written: a fault.
      std::fprintf(stderr,
                   "xeljob: the record cannot be written as a command line "
                   "(%s)\n",
                   outcome.canonical.field);
      return kFailed;
    }
    const int status =
        outcome.clean() && outcome.takenAsWritten() ? kClean : kReported;
    if (request.json) {
      return writeOut(outcomeJson(outcome, request.trace, request.canonical),
                      status);
    }
    return writeOut(request.canonical ? canonicalLine(outcome)
                                      : outcomeTable(outcome, request.trace),
                    status);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xeljob: %s\n", error.what());
    return kFailed;
  }
}
