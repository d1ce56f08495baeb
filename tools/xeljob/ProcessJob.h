// SPDX-License-Identifier: MIT
// A running job's own words, read from /proc/PID/cmdline within its argument
// area, and whether POSIXLY_CORRECT was set in the environment it was
// started with.
#ifndef XELJOB_PROCESSJOB_H
#define XELJOB_PROCESSJOB_H

#include <string>

#include "ArgumentVector.h"

namespace xeljob {

struct ProcessJob {
  long pid = 0;
  ArgumentVector vector;
  // Where the end of the argument area cannot be read (another user's
  // process), the words are what the kernel gives anyone, which for a job
  // that rewrote its title runs on into its environment.
  bool argumentAreaChecked = false;
  bool environmentRead = false;  // /proc/PID/environ could be read
  bool posixlyCorrect = false;   // it holds POSIXLY_CORRECT, if read
  std::string environmentError;  // why it could not be read
};

// The number that `text` writes in decimal digits alone; 0 when it is none,
// or too large to be a process id.
long processId(const std::string& text);

// A test seam, called between opening the environment and reading it: a
// test ends the process there to meet a job that exits during the read.
using BeforeEnvironmentRead = void (*)(long pid);

// A process that is not there, or whose
// command line cannot be read, throws std::runtime_error; an environment
// that cannot be read is only noted, as is a process that exited while it
// was read; one that started another program meanwhile throws too. Of the
// environment, nothing is kept but whether the variable is there: every other
// byte of it is overwritten as soon as it has been looked at.
ProcessJob readProcessJob(
    long pid, BeforeEnvironmentRead beforeEnvironmentRead = nullptr);

}  // namespace xeljob

#endif  // XELJOB_PROCESSJOB_H
