// SPDX-License-Identifier: MIT
// xeljob: answers "what will my job process see for this command line?" by
// building the job kind's parser over the words and showing its record, the
// scanner's diagnostics and the words left over.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include <XeloptsVersion.h>

#include "CommandLine.h"
#include "JobKinds.h"
#include "JobOutcome.h"
#include "Modes.h"
#include "Report.h"
#include "ToolOutput.h"

namespace {

const char kHelp[] =
    "Usage: xeljob [TOOL-OPTION...] [--] KIND [WORD...]\n"
    "       xeljob [TOOL-OPTION...] --cmdline FILE KIND\n"
    "       xeljob [TOOL-OPTION...] --pid PID KIND\n"
    "       xeljob [--json] [--posix] --diff KIND LINE1 LINE2\n"
    "       xeljob [TOOL-OPTION...] --lines FILE KIND\n"
    "Builds the option parser of a job KIND (backup, restore or scan) over\n"
    "the WORDs, as a job process started with them would, and shows every\n"
    "accessor of the record (marking each value not taken as written, with\n"
    "how it was read), the scanner's diagnostics and the words left behind\n"
    "the options.\n"
    "\n"
    "Tool options (before KIND only: every word after it is a job word, and\n"
    "one spelled as a tool option gets a hint on standard error):\n"
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
    "                \"canonical\" array of words); with --trace, only with\n"
    "                --json or --lines\n"
    "  --vocabulary  list the KIND's short options and long names (no WORD)\n"
    "  --keyed       with --lines: KEY<TAB>WORDS lines, KEY kept as \"key\"\n"
    "  -h, --help    show this text\n"
    "  --version     show the versions of xeljob and its loaded library\n"
    "\n"
    "Job words from elsewhere (one of these at most):\n"
    "  --cmdline FILE  an argument vector as /proc/PID/cmdline holds it, each\n"
    "                  word ended by a NUL byte (\"-\": standard input); its\n"
    "                  first word, the program name, is shown, not parsed\n"
    "  --pid PID       the same, read from a running process; whether\n"
    "                  POSIXLY_CORRECT is set is taken from its environment\n"
    "                  where that can be read, else from --posix (standard\n"
    "                  error says when it overrides --posix)\n"
    "  --diff          two job lines, each one word, split as a POSIX shell\n"
    "                  splits words (quotes and backslashes; nothing is\n"
    "                  expanded or run): the accessors whose values differ,\n"
    "                  with the words that set them, and the words and values\n"
    "                  either side did not take, or not as written; exit\n"
    "                  status 0 when the settings are the same, else 1\n"
    "  --lines FILE    one job line per line of FILE (\"-\": standard input),\n"
    "                  split so (a # that begins a word starts a comment; a\n"
    "                  line with no word is skipped): one JSON object per\n"
    "                  line (its number and what --json gives), a summary on\n"
    "                  standard error\n"
    "\n"
    "Exit status: 0 when every word (of every line) was taken as an option\n"
    "or a value and every value as written, 1 when the scanner reported\n"
    "something, words were left over or a value was not taken as written,\n"
    "2 for a usage error, unreadable input, or when the tool cannot run or\n"
    "write its report, 3 when the output's reader went away (output cut off).\n"
    "\n"
    "Example: xeljob backup -j 812 -a 5:57 -cn client01 -rbs extra\n";

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
  if (!request.hint.empty()) {
    std::fprintf(stderr, "xeljob: hint: %s\n", request.hint.c_str());
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
      return writeOut(
          request.json ? vocabularyJson(kind) : vocabularyTable(kind), kClean);
    }
    switch (request.mode) {
      case Mode::cmdline:
      case Mode::pid:
        return runVectorMode(kind, request);
      case Mode::diff:
        return runDiffMode(kind, request);
      case Mode::lines:
        return runLinesMode(kind, request);
      case Mode::words:
        break;
    }
    return writeOutcome(
        runJob(kind, request.words, request.posix, request.trace), request);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xeljob: %s\n", error.what());
    return kFailed;
  }
}
