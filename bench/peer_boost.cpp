// SPDX-License-Identifier: MIT
// Boost.Program_options: one options_description per parse, every word of
// the vocabulary described, stored into a variables_map and read by name.
#include <boost/program_options.hpp>
#include <boost/version.hpp>

#include "BackupOptionsParser.h"
#include "library_peers.h"

namespace bench {

namespace po = boost::program_options;

namespace {

// A short option is described as ",j" and stored under "-j".
std::string description_name(const XelOptionsParser::OptionSpec& entry) {
  return entry.name != nullptr ? entry.name : std::string{',', entry.code};
}

std::string stored_name(const XelOptionsParser::OptionSpec& entry) {
  return entry.name != nullptr ? entry.name : std::string{'-', entry.code};
}

}  // namespace

BackupSettings parse_backup_with_boost(int argc, char** argv) {
  const XelOptionsParser::Vocabulary& vocabulary =
      BackupOptionsParser::vocabulary();
  po::options_description description("backup job");
  auto add = description.add_options();
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    const std::string name = description_name(entry);
    if (entry.kind == XelGetOpt::required_argument) {
      add(name.c_str(), po::value<std::string>());
    } else {
      add(name.c_str(), "");
    }
  }
  po::variables_map values;
  // Unknown options and leftover words stay behind, as in the job parsers.
  po::store(po::command_line_parser(argc, argv)
                .options(description)
                .allow_unregistered()
                .run(),
            values);
  po::notify(values);

  BackupSettings settings;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
    const std::string name = stored_name(entry);
    if (values.count(name) == 0) {
      continue;
    }
    apply_backup_option(settings, entry.code,
                        entry.kind == XelGetOpt::required_argument
                            ? values[name].as<std::string>().c_str()
                            : "");
  }
  return settings;
}

std::string boost_label() {
  std::string version = BOOST_LIB_VERSION;
  for (char& c : version) {
    c = c == '_' ? '.' : c;
  }
  return "Boost.Program_options " + version;
}

}  // namespace bench
