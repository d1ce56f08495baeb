// SPDX-License-Identifier: MIT
// The tool's own command line:
//   xeljob [TOOL-OPTION...] [--] KIND [WORD...]
// Tool options stand before the kind only: every word after it is the job's,
// "--" and words spelled as tool options included. A mode option says where
// the job words come from instead: a file, a process, two lines to compare,
// or a file of lines.
#ifndef XELJOB_COMMANDLINE_H
#define XELJOB_COMMANDLINE_H

#include <string>
#include <vector>

namespace xeljob {

// Where the job words come from.
enum class Mode {
  words,    // the command line's own
  cmdline,  // --cmdline FILE: a NUL-separated vector, the program name first
  pid,      // --pid PID: the vector of a running process
  diff,     // --diff: two job lines, the two words after the kind
  lines,    // --lines FILE: one job line per line
};

struct Request {
  bool help = false;
  bool version = false;
  bool json = false;
  bool trace = false;
  bool posix = false;
  bool vocabulary = false;
  bool canonical = false;
  bool keyed = false;  // --lines: each line is KEY<TAB>WORDS
  Mode mode = Mode::words;
  std::string source;              // the FILE or PID of the mode option
  std::string kind;                // "backup", "restore" or "scan"
  std::vector<std::string> words;  // the job words, program name excluded
  std::string usageError;          // non-empty: the one-line complaint
  std::string hint;  // non-empty: a job word looks meant for the tool
};

Request readCommandLine(int argc, char** argv);

}  // namespace xeljob

#endif  // XELJOB_COMMANDLINE_H
