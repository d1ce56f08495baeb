// Scans a short command line through the installed library and checks what
// it found; exits 0 when the scan gave what the words asked for.
#include <XelGetOpt.h>

#include <cstdio>
#include <cstring>

int main() {
  char program[] = "consumer";
  char j[] = "-j", job[] = "812", cn[] = "-cn", client[] = "client01";
  char extra[] = "extra";
  char* argv[] = {program, j, job, extra, cn, client, nullptr};
  XelGetOpt scanner(6, argv, "j:");
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');

  const char* job_id = "";
  const char* client_machine = "";
  for (int code; (code = scanner()) != -1;) {
    if (code == 'j') {
      job_id = scanner.optarg();
    } else if (code == 'c') {
      client_machine = scanner.optarg();
    }
  }
  std::printf("job %s, client %s, left over %s\n", job_id, client_machine,
              argv[scanner.optind]);
  const bool expected = std::strcmp(job_id, "812") == 0 &&
                        std::strcmp(client_machine, "client01") == 0 &&
                        scanner.optind == 5;
  return expected ? 0 : 1;
}
