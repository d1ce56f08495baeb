// SPDX-License-Identifier: MIT
#include "report.h"

#include <xelopts/BackupOptionsParser.h>

std::string describeBackupJob(int argc, char** argv) {
  BackupOptionsParser job(argc, argv);
  return "job " + std::to_string(job.getJobId()) + ", client " +
         job.getClientMachine();
}
