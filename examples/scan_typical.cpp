// SPDX-License-Identifier: MIT
// Scans a backup job's command line with the backup vocabulary, as the
// backup parser publishes it, and prints what the scanner returns: each code
// with its argument, then the words the scan left behind. Without arguments
// it scans a typical backup command line.
#include <xelopts/BackupOptionsParser.h>
#include <xelopts/XelGetOpt.h>

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

  // The backup job's own vocabulary: its short options, and its long names
  // registered in order.
  const XelOptionsParser::Vocabulary& backup =
      BackupOptionsParser::vocabulary();
  XelGetOpt scanner(count, vector.data(), backup.shortOptions);
  for (int i = 0; i < backup.count; ++i) {
    const XelOptionsParser::OptionSpec& option = backup.options[i];
    if (option.name != nullptr) {
      scanner.add_long_option(option.name, option.kind, option.code);
    }
  }

  std::printf("scanning:");
  for (int i = 1; i < count; ++i) {
    std::printf(" %s", vector[static_cast<std::size_t>(i)]);
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
    std::printf(" %s", vector[static_cast<std::size_t>(i)]);
  }
  std::printf("\n");
  return 0;
}
