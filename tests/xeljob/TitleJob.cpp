// SPDX-License-Identifier: MIT
// A job that sets its title in place, as daemons do: the NUL after each
// word, the last one too, becomes a space ("private" as its first word:
// once it has made itself non-dumpable); or, "blank", its environment
// becomes NUL bytes. It then writes a line and waits for the end of its
// standard input.
#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>
#include <string>

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "private") {
    prctl(PR_SET_DUMPABLE, 0);
  }
  for (char** entry = environ; mode == "blank" && *entry != nullptr; ++entry) {
    std::memset(*entry, 0, std::strlen(*entry));
  }
  for (int i = 0; i < argc && mode != "blank"; ++i) {
    argv[i][std::strlen(argv[i])] = ' ';
  }
  char byte = '\n';
  if (write(STDOUT_FILENO, &byte, 1) != 1) {
    return 1;
  }
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }
  return 0;
}
