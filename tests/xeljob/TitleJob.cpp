// SPDX-License-Identifier: MIT
// A job that sets its title in place, as daemons do: the NUL after each
// word, the last one too, becomes a space. It then writes a line and waits
// for the end of its standard input.
#include <unistd.h>

#include <cstring>

int main(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
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
