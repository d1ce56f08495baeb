// SPDX-License-Identifier: MIT
// Reads a backup job's command line, as a job process of the parent project
// would: subproject_app -j 812 -cn client01
#include <xelopts/BackupOptionsParser.h>

#include <cstdio>

int main(int argc, char** argv) {
  BackupOptionsParser job(argc, argv);
  std::printf("job %lld, client %s\n", static_cast<long long>(job.getJobId()),
              job.getClientMachine().c_str());
  return 0;
}
