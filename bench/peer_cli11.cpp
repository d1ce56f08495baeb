// SPDX-License-Identifier: MIT
// CLI11: one App per parse, an option or a flag for every word of the
// vocabulary, read back after the parse.
#include <CLI/CLI.hpp>

#include <vector>

#include "BackupOptionsParser.h"
#include "library_peers.h"

namespace bench {

BackupSettings parse_backup_with_cli11(int argc, char** argv) {
  const XelOptionsParser::Vocabulary& vocabulary =
      BackupOptionsParser::vocabulary();
  CLI::App app{"backup job"};
  // Leftover words and unknown options stay behind, as in the job parsers.
  app.allow_extras();
  std::vector<CLI::Option*> options;
  options.reserve(static_cast<std::size_t>(vocabulary.count));
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    const std::string name = entry.name != nullptr
                                 ? std::string("--") + entry.name
                                 : std::string{'-', entry.code};
    options.push_back(entry.kind == XelGetOpt::required_argument
                          ? app.add_option(name)
                          : app.add_flag(name));
  }
  app.parse(argc, argv);

  BackupSettings settings;
  for (int i = 0; i < vocabulary.count; ++i) {
    const CLI::Option& option = *options[static_cast<std::size_t>(i)];
    if (option.count() == 0) {
      continue;
    }
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    apply_backup_option(settings, entry.code,
                        entry.kind == XelGetOpt::required_argument
                            ? option.as<std::string>().c_str()
                            : "");
  }
  return settings;
}

std::string cli11_label() { return "CLI11 " CLI11_VERSION; }

}  // namespace bench
