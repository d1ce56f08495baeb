// SPDX-License-Identifier: MIT
// The parent project's shared library: it reads a backup job's command
// line with xelopts, which it carries inside when xelopts is static.
#ifndef SUBPROJECT_REPORT_H
#define SUBPROJECT_REPORT_H

#include <string>

std::string describeBackupJob(int argc, char** argv);

#endif  // SUBPROJECT_REPORT_H
