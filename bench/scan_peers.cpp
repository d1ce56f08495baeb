// SPDX-License-Identifier: MIT
#include "scan_peers.h"

#include <getopt.h>

#include <string>
#include <vector>

#include "BackupOptionsParser.h"
#include "XelGetOpt.h"

namespace bench {

const char kClusterShortOptions[] = "xyzj:J:a:p:t:o:";

namespace {

// The backup job's long names, in the order the backup parser registers
// them, taken from its vocabulary once, outside any timing.
const std::vector<XelOptionsParser::OptionSpec>& backup_long_names() {
  static const std::vector<XelOptionsParser::OptionSpec> names = [] {
    const XelOptionsParser::Vocabulary& v = BackupOptionsParser::vocabulary();
    std::vector<XelOptionsParser::OptionSpec> list;
    for (int i = 0; i < v.count; ++i) {
      if (v.options[i].name != nullptr) {
        list.push_back(v.options[i]);
      }
    }
    return list;
  }();
  return names;
}

}  // namespace

// Built once, as a program would declare it.
const struct option* libc_backup_long_options() {
  static const std::vector<struct option> table = [] {
    std::vector<struct option> records;
    for (const XelOptionsParser::OptionSpec& name : backup_long_names()) {
      records.push_back({name.name, name.kind, nullptr, name.code});
    }
    records.push_back({});
    return records;
  }();
  return table.data();
}

namespace {

// The same names as writable texts, for the add_long_option(char*, ...) of
// a caller whose names are no literals.
std::vector<std::string>& backup_name_texts() {
  static std::vector<std::string> texts = [] {
    std::vector<std::string> list;
    for (const XelOptionsParser::OptionSpec& name : backup_long_names()) {
      list.emplace_back(name.name);
    }
    return list;
  }();
  return texts;
}

template <class OnCode>
int run_xelopts(int argc, char** argv, const char* options, OnCode on_code) {
  XelGetOpt scanner(argc, argv, options);
  for (const XelOptionsParser::OptionSpec& name : backup_long_names()) {
    scanner.add_long_option(name.name, name.kind, name.code);
  }
  for (int code; (code = scanner()) != -1;) {
    on_code(code, scanner.optarg());
  }
  return scanner.optind;
}

// The backup long options as a table the caller owns, for a scanner that
// then has no block of its own to allocate.
XelGetOpt::option* caller_long_options() {
  static std::vector<XelGetOpt::option> records = [] {
    std::vector<XelGetOpt::option> table;
    for (const XelOptionsParser::OptionSpec& name : backup_long_names()) {
      table.push_back({name.name, name.kind, nullptr, name.code});
    }
    table.push_back(XelGetOpt::option{});  // the terminator
    return table;
  }();
  return records.data();
}

template <class OnCode>
int run_libc(int argc, char** argv, const char* options, OnCode on_code) {
  optind = 0;  // a new scan
  const struct option* table = libc_backup_long_options();
  int index = 0;
  for (int code;
       (code = getopt_long_only(argc, argv, options, table, &index)) != -1;) {
    on_code(code, optarg);
  }
  return optind;
}

struct Checksum {
  long* sum;
  void operator()(int code, const char* argument) const {
    *sum += code + (argument != nullptr ? argument[0] : 0);
  }
};

struct Recorder {
  ScanOutcome* outcome;
  void operator()(int code, const char* argument) const {
    std::string entry = std::to_string(code);
    if (argument != nullptr) {
      entry += ' ';
      entry += argument;
    }
    outcome->codes.push_back(entry);
  }
};

ScanOutcome finish(ScanOutcome outcome, int argc, char** argv, int index) {
  outcome.final_index = index;
  outcome.final_order.assign(argv, argv + argc);
  return outcome;
}

}  // namespace

bool ScanOutcome::operator==(const ScanOutcome& other) const {
  return codes == other.codes && final_index == other.final_index &&
         final_order == other.final_order;
}

long scan_with_xelopts(int argc, char** argv, const char* options) {
  long sum = 0;
  const int index = run_xelopts(argc, argv, options, Checksum{&sum});
  return sum + index;
}

long scan_with_xelopts_char_names(int argc, char** argv, const char* options) {
  XelGetOpt scanner(argc, argv, options);
  const std::vector<XelOptionsParser::OptionSpec>& names = backup_long_names();
  std::vector<std::string>& texts = backup_name_texts();
  for (std::size_t i = 0; i < names.size(); ++i) {
    scanner.add_long_option(texts[i].data(), names[i].kind, names[i].code);
  }
  long sum = 0;
  for (int code; (code = scanner()) != -1;) {
    Checksum{&sum}(code, scanner.optarg());
  }
  return sum + scanner.optind;
}

long scan_with_libc(int argc, char** argv, const char* options) {
  long sum = 0;
  const int index = run_libc(argc, argv, options, Checksum{&sum});
  return sum + index;
}

long scan_with_caller_table(int argc, char** argv, const char* options) {
  XelGetOpt scanner(argc, argv, options);
  scanner.set_long_options(caller_long_options());
  long sum = 0;
  for (int code; (code = scanner()) != -1;) {
    sum += code;
  }
  return sum + scanner.optind;
}

ScanOutcome outcome_of_xelopts(int argc, char** argv, const char* options) {
  ScanOutcome outcome;
  const int index = run_xelopts(argc, argv, options, Recorder{&outcome});
  return finish(std::move(outcome), argc, argv, index);
}

ScanOutcome outcome_of_libc(int argc, char** argv, const char* options) {
  ScanOutcome outcome;
  const int index = run_libc(argc, argv, options, Recorder{&outcome});
  return finish(std::move(outcome), argc, argv, index);
}

}  // namespace bench
