#include "scan_peers.h"

#include <getopt.h>

#include <string>

#include "XelGetOpt.h"

namespace bench {

const char kBackupShortOptions[] = "j:J:a:p:t:o:";
const char kClusterShortOptions[] = "xyzj:J:a:p:t:o:";

namespace {

struct LongName {
  const char* name;
  int has_arg;
  char code;
};

// The backup job's long options, in the order the backup parser registers
// them.
constexpr LongName kBackupLongNames[] = {{"cn", 1, 'c'},
                                         {"vm", 1, 'v'},
                                         {"VM", 1, 'V'},
                                         {"jt", 1, 's'},
                                         {"data", 0, 'F'},
                                         {"logs", 0, 'l'},
                                         {"differential", 0, 'i'},
                                         {"phase", 1, 'h'},
                                         {"restart", 1, 'r'},
                                         {"d", 1, 'd'},
                                         {"skipconversionrules", 0, 'S'},
                                         {"integcheck", 0, 'B'},
                                         {"rbs", 0, 'R'},
                                         {"numstreams", 1, 'N'},
                                         {"alwayson", 0, 'A'},
                                         {"dctm", 0, 'U'},
                                         {"TLToSnap", 0, 'T'}};

constexpr int kLongNameCount =
    static_cast<int>(sizeof kBackupLongNames / sizeof kBackupLongNames[0]);

}  // namespace

// Built once, as a program would declare it.
const struct option* libc_backup_long_options() {
  static const auto* table = [] {
    static struct option records[kLongNameCount + 1] = {};
    for (int i = 0; i < kLongNameCount; ++i) {
      records[i] = {kBackupLongNames[i].name, kBackupLongNames[i].has_arg,
                    nullptr, kBackupLongNames[i].code};
    }
    return records;
  }();
  return table;
}

namespace {

template <class OnCode>
int run_xelopts(int argc, char** argv, const char* options, OnCode on_code) {
  XelGetOpt scanner(argc, argv, options);
  for (const LongName& name : kBackupLongNames) {
    scanner.add_long_option(name.name, XelGetOpt::ParamType(name.has_arg),
                            name.code);
  }
  for (int code; (code = scanner()) != -1;) {
    on_code(code, scanner.optarg());
  }
  return scanner.optind;
}

// The backup long options as a table the caller owns, for a scanner that
// then has no block of its own to allocate.
XelGetOpt::option* caller_long_options() {
  static XelGetOpt::option records[kLongNameCount + 1] = {};
  for (int i = 0; i < kLongNameCount; ++i) {
    records[i] = {kBackupLongNames[i].name,
                  XelGetOpt::ParamType(kBackupLongNames[i].has_arg), nullptr,
                  kBackupLongNames[i].code};
  }
  return records;
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
