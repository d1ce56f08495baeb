// SPDX-License-Identifier: MIT
#include "parser_peers.h"

#include <getopt.h>

#include "BackupOptionsParser.h"
#include "scan_peers.h"

namespace bench {

namespace {

long digest(std::int64_t jobId, std::uint64_t numStreams, bool rbsJob) {
  return static_cast<long>(jobId) + static_cast<long>(numStreams) +
         (rbsJob ? 1 : 0);
}

}  // namespace

long digest(const BackupSettings& s) {
  return digest(s.jobId, s.numStreamsForRBS, s.rbsJob);
}

BackupSettings parse_backup_by_hand(int argc, char** argv) {
  BackupSettings settings;
  optind = 0;  // a new scan
  const struct option* table = libc_backup_long_options();
  int index = 0;
  for (int code; (code = getopt_long_only(argc, argv, "j:J:a:p:t:o:", table,
                                          &index)) != -1;) {
    apply_backup_option(settings, code, optarg);
  }
  return settings;
}

BackupSettings parse_backup_with_xelopts(int argc, char** argv) {
  BackupOptionsParser parser(argc, argv);
  return parser.settings();
}

BackupSettings parse_backup_with_report(int argc, char** argv) {
  XelOptionsParser::ParseReport report;
  BackupOptionsParser parser(argc, argv, report);
  return parser.settings();
}

long construct_backup_parser(int argc, char** argv) {
  BackupOptionsParser parser(argc, argv);
  return digest(parser.getJobId(), parser.getNumStreamsForRBS(),
                parser.isRBSJob());
}

long construct_backup_parser_with_report(int argc, char** argv) {
  XelOptionsParser::ParseReport report;
  BackupOptionsParser parser(argc, argv, report);
  return digest(parser.getJobId(), parser.getNumStreamsForRBS(),
                parser.isRBSJob()) +
         static_cast<long>(report.steps.size());
}

long write_backup_line(const BackupSettings& settings) {
  return static_cast<long>(
      BackupOptionsParser::commandLine(settings).words.size());
}

long construct_backup_by_hand(int argc, char** argv) {
  const BackupSettings settings = parse_backup_by_hand(argc, argv);
  return digest(settings.jobId, settings.numStreamsForRBS, settings.rbsJob);
}

namespace {

// The restore and scan jobs' long names, as a job process would declare
// them for the C library.
const struct option kRestoreLongOptions[] = {
    {"cn", required_argument, nullptr, 'c'},
    {"vm", required_argument, nullptr, 'v'},
    {"VM", required_argument, nullptr, 'V'},
    {"jt", required_argument, nullptr, 's'},
    {"phase", required_argument, nullptr, 'h'},
    {"maHostName", required_argument, nullptr, 'm'},
    {"rbs", required_argument, nullptr, 'R'},
    {"dctm", no_argument, nullptr, 'U'},
    {nullptr, 0, nullptr, 0}};

const struct option kScanLongOptions[] = {
    {"cn", required_argument, nullptr, 'c'},
    {"vm", required_argument, nullptr, 'v'},
    {"VM", required_argument, nullptr, 'V'},
    {"jt", required_argument, nullptr, 's'},
    {"d", required_argument, nullptr, 'd'},
    {"phase", required_argument, nullptr, 'h'},
    {"restart", required_argument, nullptr, 'r'},
    {nullptr, 0, nullptr, 0}};

// The options every kind begins with; false for another code.
template <class Settings>
bool apply_leading_option(Settings& s, int code, const char* text) {
  switch (code) {
    case 'j':
    case 'J':
      if (*text != '\0') {
        s.jobId = std::atoi(text);
      }
      return true;
    case 'a':
      if (const char* colon = std::strchr(text, ':');
          colon != nullptr && colon[1] != '\0') {
        s.applicationNumber = backup_number(colon + 1);
        s.quorvelId = backup_number(text);
      }
      return true;
    case 'v':
    case 'V':
      if (*text != '\0') {
        s.virtualMachine = text;
      }
      return true;
    default:
      return false;
  }
}

struct RestoreRecord {
  RestoreSettings settings;
  std::string phase;  // taken and kept, as the parser keeps it
};

RestoreRecord parse_restore_record(int argc, char** argv) {
  RestoreRecord record;
  RestoreSettings& s = record.settings;
  optind = 0;
  int index = 0;
  for (int code;
       (code = getopt_long_only(argc, argv, "j:J:a:p:", kRestoreLongOptions,
                                &index)) != -1;) {
    const char* text = optarg;
    if (apply_leading_option(s, code, text)) {
      continue;
    }
    switch (code) {
      case 'p':
        s.restoreTaskId = backup_number(text);
        break;
      case 's':
        s.jobToken = text;
        break;
      case 'c':
        s.clientMachine = text;
        break;
      case 'm':
        s.maHostName = text;
        break;
      case 'h':
        record.phase = text;
        break;
      case 'R':
        s.rbsJob = true;
        break;
      case 'U':
        s.dctmJob = true;
        s.rbsJob = true;
        break;
      default:
        break;
    }
  }
  return record;
}

}  // namespace

RestoreSettings parse_restore_by_hand(int argc, char** argv) {
  return parse_restore_record(argc, argv).settings;
}

RestoreSettings parse_restore_with_xelopts(int argc, char** argv) {
  RestoreOptionsParser parser(argc, argv);
  return parser.settings();
}

long construct_restore_parser(int argc, char** argv) {
  RestoreOptionsParser parser(argc, argv);
  return digest(parser.getJobId(), parser.getRestoreTaskId(),
                parser.isRBSJob());
}

long construct_restore_by_hand(int argc, char** argv) {
  const RestoreRecord record = parse_restore_record(argc, argv);
  const RestoreSettings& s = record.settings;
  return digest(s.jobId, s.restoreTaskId, s.rbsJob);
}

ScanSettings parse_scan_by_hand(int argc, char** argv) {
  ScanSettings s;
  optind = 0;
  int index = 0;
  for (int code; (code = getopt_long_only(argc, argv, "j:J:a:p:t:o:",
                                          kScanLongOptions, &index)) != -1;) {
    const char* text = optarg;
    if (apply_leading_option(s, code, text)) {
      continue;
    }
    switch (code) {
      case 't':
        s.backupType = backup_number(text);
        break;
      case 'p':
        s.restoreTaskId = backup_number(text);
        break;
      case 's':
        s.jobToken = text;
        break;
      case 'c':
        s.clientMachine = text;
        break;
      case 'd':
        s.mediaAgent = text;
        break;
      case 'h':
        s.backupPhase = text;
        break;
      case 'o':
      case 'r':
        // The first of the numerically smallest restart values.
        if (*text != '\0' &&
            (s.restartString.empty() ||
             backup_number(text) < backup_number(s.restartString.c_str()))) {
          s.restartString = text;
        }
        break;
      default:
        break;
    }
  }
  return s;
}

ScanSettings parse_scan_with_xelopts(int argc, char** argv) {
  ScanOptionsParser parser(argc, argv);
  return parser.settings();
}

long construct_scan_parser(int argc, char** argv) {
  ScanOptionsParser parser(argc, argv);
  return digest(parser.getJobId(), parser.getBackupType(),
                parser.getRestoreTaskId() != 0);
}

long construct_scan_by_hand(int argc, char** argv) {
  const ScanSettings s = parse_scan_by_hand(argc, argv);
  return digest(s.jobId, s.backupType, s.restoreTaskId != 0);
}

}  // namespace bench
