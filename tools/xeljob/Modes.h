// SPDX-License-Identifier: MIT
// The modes that take the job words from elsewhere than the tool's command
// line, each in a file of its own. Each writes its report and returns the
// exit status; input that cannot be read throws std::runtime_error with a
// one-line message.
#ifndef XELJOB_MODES_H
#define XELJOB_MODES_H

#include "CommandLine.h"
#include "JobKinds.h"

namespace xeljob {

// --cmdline FILE and --pid PID (VectorMode.cpp).
int runVectorMode(const JobKind& kind, const Request& request);
// --diff LINE1 LINE2 (DiffMode.cpp).
int runDiffMode(const JobKind& kind, const Request& request);
// --lines FILE (LinesMode.cpp).
int runLinesMode(const JobKind& kind, const Request& request);

}  // namespace xeljob

#endif  // XELJOB_MODES_H
