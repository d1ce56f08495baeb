// xeljob: answers "what will my job process see for this command line?" by
// building the job kind's parser over the words and showing its record, the
// scanner's diagnostics and the words left over.
#include <cstdio>
#include <exception>
#include <string>

#include "CommandLine.h"
#include "JobKinds.h"
#include "JobOutcome.h"
#include "Report.h"

namespace {

// Exit statuses.
constexpr int kClean = 0;     // every word was an option or a value
constexpr int kReported = 1;  // diagnostics, or words left over
constexpr int kUsage = 2;     // the tool's own command line is wrong

const char kHelp[] =
    "Usage: xeljob [TOOL-OPTION...] KIND [TOOL-OPTION...] [--] [WORD...]\n"
    "Builds the option parser of a job KIND (backup, restore or scan) over\n"
    "the WORDs, as a job process started with them would, and shows every\n"
    "accessor of the record, the scanner's diagnostics and the words left\n"
    "behind the options.\n"
    "\n"
    "Tool options (words that begin with \"--\" before the first job word;\n"
    "job words that begin with \"--\" go after a \"--\"):\n"
    "  --json        one JSON object instead of the table\n"
    "  --trace       also list every scanner code, the words it consumed\n"
    "                and the accessors it changed\n"
    "  --posix       parse with POSIXLY_CORRECT present (the first stray\n"
    "                word ends the options); without it the variable is\n"
    "                removed for the parse\n"
    "  --vocabulary  show the KIND's short options and long names instead\n"
    "  --help        show this text\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 when every word was taken as an option or a value,\n"
    "1 when the scanner reported something or words were left over,\n"
    "2 for a usage error, or when the tool cannot run.\n"
    "\n"
    "Example: xeljob backup -j 812 -a 5:57 -cn client01 -rbs extra\n";

bool write(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace xeljob;
  const Request request = readCommandLine(argc, argv);
  if (!request.usageError.empty()) {
    std::fprintf(stderr, "xeljob: %s; try 'xeljob --help'\n",
                 request.usageError.c_str());
    return kUsage;
  }
  if (request.help) {
    return write(kHelp) ? kClean : kUsage;
  }
  if (request.version) {
    return write("xeljob (xelopts) " XELJOB_VERSION "\n") ? kClean : kUsage;
  }

  const JobKind& kind = *findJobKind(request.kind);
  try {
    if (request.vocabulary) {
      return write(request.json ? vocabularyJson(kind) : vocabularyTable(kind))
                 ? kClean
                 : kUsage;
    }
    const JobOutcome outcome = runJob(kind, request.words, request.posix);
    const std::string report = request.json
                                   ? outcomeJson(outcome, request.trace)
                                   : outcomeTable(outcome, request.trace);
    if (!write(report)) {
      return kUsage;
    }
    return outcome.clean() ? kClean : kReported;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xeljob: %s\n", error.what());
    return kUsage;
  }
}
