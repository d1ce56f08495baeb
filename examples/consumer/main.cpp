// SPDX-License-Identifier: MIT
// Reads a backup job's command line through the installed library and
// checks the record; exits 0 when it holds what the words asked for. The
// headers are found both ways: in their folder, and by name alone.
#include <XeloptsVersion.h>
#include <xelopts/BackupOptionsParser.h>

#include <cstdio>

int main() {
  char program[] = "backup";
  char j[] = "-j", job[] = "812", a[] = "-a", app[] = "5:57";
  char cn[] = "-cn", client[] = "client01", rbs[] = "-rbs";
  char* argv[] = {program, j, job, a, app, cn, client, rbs, nullptr};
  BackupOptionsParser options(8, argv);

  static_assert(XELOPTS_VERSION_MAJOR >= 1);
  std::printf("job %lld, application %llu, Quorvel id %llu, client %s\n",
              static_cast<long long>(options.getJobId()),
              static_cast<unsigned long long>(options.getApplicationNumber()),
              static_cast<unsigned long long>(options.getQuorvelId()),
              options.getClientMachine().c_str());
  const bool expected =
      options.getJobId() == 812 && options.getApplicationNumber() == 57 &&
      options.getQuorvelId() == 5 && options.getClientMachine() == "client01" &&
      options.isRBSJob();
  return expected ? 0 : 1;
}
