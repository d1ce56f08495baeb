// Scans a backup job's command line with the backup vocabulary and prints
// what the scanner returns: each code with its argument, then the words the
// scan left behind. Without arguments it scans a typical backup command line.
#include <XelGetOpt.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> words(argv, argv + argc);
  if (argc <= 1) {
    for (const char* word :
         {"-j", "812", "-a", "5:57", "-cn", "client01", "-vm", "vm07", "-t",
          "1", "-phase", "4", "-restart", "12", "-data", "-numstreams", "3",
          "-rbs", "extra"}) {
      words.emplace_back(word);
    }
  }
  // The scanner reorders the pointers of a writable vector, as a process's
  // own argv is.
  std::vector<char*> vector;
  for (std::string& word : words) {
    vector.push_back(word.data());
  }
  vector.push_back(nullptr);
  const int count = static_cast<int>(words.size());

  XelGetOpt scanner(count, vector.data(), "j:J:a:p:t:o:");
  const auto required = XelGetOpt::required_argument;
  const auto none = XelGetOpt::no_argument;
  scanner.add_long_option("cn", required, 'c');
  scanner.add_long_option("vm", required, 'v');
  scanner.add_long_option("VM", required, 'V');
  scanner.add_long_option("jt", required, 's');
  scanner.add_long_option("data", none, 'F');
  scanner.add_long_option("logs", none, 'l');
  scanner.add_long_option("differential", none, 'i');
  scanner.add_long_option("phase", required, 'h');
  scanner.add_long_option("restart", required, 'r');
  scanner.add_long_option("d", required, 'd');
  scanner.add_long_option("skipconversionrules", none, 'S');
  scanner.add_long_option("integcheck", none, 'B');
  scanner.add_long_option("rbs", none, 'R');
  scanner.add_long_option("numstreams", required, 'N');
  scanner.add_long_option("alwayson", none, 'A');
  scanner.add_long_option("dctm", none, 'U');
  scanner.add_long_option("TLToSnap", none, 'T');

  std::printf("scanning:");
  for (int i = 1; i < count; ++i) {
    std::printf(" %s", vector[i]);
  }
  std::printf("\n");
  for (int code; (code = scanner()) != -1;) {
    const char* argument = scanner.optarg();
    std::printf("code '%c' (%d)%s%s\n", code, code,
                argument != nullptr ? " argument " : "",
                argument != nullptr ? argument : "");
  }
  std::printf("left behind:");
  for (int i = scanner.optind; i < count; ++i) {
    std::printf(" %s", vector[i]);
  }
  std::printf("\n");
  return 0;
}
