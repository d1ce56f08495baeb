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

}  // namespace bench
