// SPDX-License-Identifier: MIT
// subproject_report_app -j 812 -cn client01: the same line as
// subproject_app, read through the parent's shared library.
#include <cstdio>

#include "report.h"

int main(int argc, char** argv) {
  std::printf("%s\n", describeBackupJob(argc, argv).c_str());
  return 0;
}
