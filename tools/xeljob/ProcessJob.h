// SPDX-License-Identifier: MIT
// A running job's own words, read whole from /proc/PID/cmdline within its
// argument area, and whether POSIXLY_CORRECT was set in the environment it
// was started with.
#ifndef XELJOB_PROCESSJOB_H
#define XELJOB_PROCESSJOB_H

#include <string>

#include "ArgumentVector.h"

namespace xeljob {

struct ProcessJob {
  long pid = 0;
  ArgumentVector vector;
  bool environmentRead = false;  // /proc/PID/environ told whether it is set
  bool posixlyCorrect = false;   // it holds POSIXLY_CORRECT, if read
  std::string environmentError;  // why it could not tell
};

// The number that `text` writes in decimal digits alone; 0 when it is none,
// or too large to be a process id.
long processId(const std::string& text);

// A test seam, called where a read stands: a test ends the process there
// to meet a job that exits during the read.
enum class ReadPoint { betweenCommandLineReads, beforeEnvironmentRead };
using ReadSeam = void (*)(long pid, ReadPoint point);

// The words are read whole, the argument area's bounds known, from a
// process that is there and runs the same program at the end of the read,
// or else not at all: that throws std::runtime_error, as does a process
// that is not there or whose command line cannot be read. An environment
// that cannot be read, or that holds no NAME=VALUE entry but is not empty,
// is only noted. Of the environment, nothing is kept but whether the
// variable is there: every other byte of it is overwritten as soon as it
// has been looked at.
ProcessJob readProcessJob(long pid, ReadSeam seam = nullptr);

}  // namespace xeljob

#endif  // XELJOB_PROCESSJOB_H
