// SPDX-License-Identifier: MIT
// Runs the xeljob binary as a child process and collects what it wrote.
#ifndef XELOPTS_TESTS_XELJOB_TOOLRUN_H
#define XELOPTS_TESTS_XELJOB_TOOLRUN_H

#include <optional>
#include <string>
#include <vector>

struct ToolRun {
  int status = -1;  // exit status; -1 when the child did not exit normally
  std::string out;
  std::string err;
};

// Where the child's standard streams go when not to the ToolRun.
struct ToolStreams {
  enum Output { kCaptured, kFullDevice, kPipeWithoutReader };
  Output out = kCaptured;
  bool closeInputAndError = false;  // descriptors 0 and 2 closed
};

// `args` follow the program name. The child inherits the environment less
// POSIXLY_CORRECT, plus the "NAME=value" entries of `environment`, and
// reads `input`, when there is one, on its standard input.
ToolRun runTool(const std::vector<std::string>& args,
                const std::vector<std::string>& environment = {},
                const ToolStreams& streams = {},
                const std::optional<std::string>& input = {});

#endif  // XELOPTS_TESTS_XELJOB_TOOLRUN_H
