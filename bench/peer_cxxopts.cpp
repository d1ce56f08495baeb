// SPDX-License-Identifier: MIT
// cxxopts: one Options per parse, every word of the vocabulary added, the
// result looked up by name.
#include <cxxopts.hpp>

#include "BackupOptionsParser.h"
#include "library_peers.h"

namespace bench {

namespace {

// cxxopts names a short option by its letter alone, and takes any
// one-letter name for one.
std::string name_of(const XelOptionsParser::OptionSpec& entry) {
  return entry.name != nullptr ? entry.name : std::string(1, entry.code);
}

}  // namespace

BackupSettings parse_backup_with_cxxopts(int argc, char** argv) {
  const XelOptionsParser::Vocabulary& vocabulary =
      BackupOptionsParser::vocabulary();
  cxxopts::Options options("backup", "backup job");
  // Unknown options stay behind, as in the job parsers.
  options.allow_unrecognised_options();
  auto add = options.add_options();
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    if (entry.kind == XelGetOpt::required_argument) {
      add(name_of(entry), "", cxxopts::value<std::string>());
    } else {
      add(name_of(entry), "");
    }
  }
  const cxxopts::ParseResult result = options.parse(argc, argv);

  BackupSettings settings;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    const std::string name = name_of(entry);
    if (result.count(name) == 0) {
      continue;
    }
    apply_backup_option(settings, entry.code,
                        entry.kind == XelGetOpt::required_argument
                            ? result[name].as<std::string>().c_str()
                            : "");
  }
  return settings;
}

std::string cxxopts_label() {
  return "cxxopts " + std::to_string(CXXOPTS__VERSION_MAJOR) + "." +
         std::to_string(CXXOPTS__VERSION_MINOR) + "." +
         std::to_string(CXXOPTS__VERSION_PATCH);
}

}  // namespace bench
