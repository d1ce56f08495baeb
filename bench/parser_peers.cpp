// SPDX-License-Identifier: MIT
#include "parser_peers.h"

#include <getopt.h>

#include <iterator>
#include <tuple>
#include <type_traits>
#include <utility>

#include "BackupOptionsParser.h"
#include "JobRecords.h"
#include "scan_peers.h"

namespace bench {

namespace {

// The record's fields in its order; const or not, as the settings are.
template <class Settings>
auto fields(Settings& s) {
  return std::tie(s.jobId, s.applicationNumber, s.quorvelId, s.virtualMachine,
                  s.backupType, s.jobToken, s.clientMachine, s.mediaAgent,
                  s.lOption, s.dOption, s.iOption, s.fullRestartString,
                  s.backupPhase, s.restoreTaskId, s.skipConversion,
                  s.integrityCheck, s.rbsJob, s.numStreamsForRBS, s.alwaysONJob,
                  s.dctmJob, s.tlToSnapJob);
}

long digest(std::int64_t jobId, std::uint64_t numStreams, bool rbsJob) {
  return static_cast<long>(jobId) + static_cast<long>(numStreams) +
         (rbsJob ? 1 : 0);
}

}  // namespace

std::string describe(const BackupSettings& s) {
  std::string text;
  auto add = [&text](const char* name, const std::string& value) {
    text += text.empty() ? "" : " ";
    text += name;
    text += '=';
    text += value;
  };
  auto quoted = [](const std::string& value) { return '"' + value + '"'; };
  add("jobId", std::to_string(s.jobId));
  add("applicationNumber", std::to_string(s.applicationNumber));
  add("quorvelId", std::to_string(s.quorvelId));
  add("virtualMachine", quoted(s.virtualMachine));
  add("backupType", std::to_string(s.backupType));
  add("jobToken", quoted(s.jobToken));
  add("clientMachine", quoted(s.clientMachine));
  add("mediaAgent", quoted(s.mediaAgent));
  add("lOption", std::to_string(s.lOption));
  add("dOption", std::to_string(s.dOption));
  add("iOption", std::to_string(s.iOption));
  add("fullRestartString", quoted(s.fullRestartString));
  add("backupPhase", quoted(s.backupPhase));
  add("restoreTaskId", std::to_string(s.restoreTaskId));
  add("skipConversion", std::to_string(s.skipConversion));
  add("integrityCheck", std::to_string(s.integrityCheck));
  add("rbsJob", std::to_string(s.rbsJob));
  add("numStreamsForRBS", std::to_string(s.numStreamsForRBS));
  add("alwaysONJob", std::to_string(s.alwaysONJob));
  add("dctmJob", std::to_string(s.dctmJob));
  add("tlToSnapJob", std::to_string(s.tlToSnapJob));
  return text;
}

long digest(const BackupSettings& s) {
  return digest(s.jobId, s.numStreamsForRBS, s.rbsJob);
}

bool BackupSettings::operator==(const BackupSettings& other) const {
  return fields(*this) == fields(other);
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

namespace {

// Every accessor of the record, in the shared list's order, into the field
// of the same place: the list and the struct hold the record in one order.
template <std::size_t... Field>
BackupSettings readSettings(BackupOptionsParser& parser,
                            std::index_sequence<Field...>) {
  BackupSettings settings;
  auto target = fields(settings);
  const auto& accessors = job_records::Accessors<BackupOptionsParser>::list;
  ((std::get<Field>(target) =
        std::get<std::decay_t<decltype(std::get<Field>(target))>>(
            accessors[Field].read(parser))),
   ...);
  return settings;
}

BackupSettings readSettings(BackupOptionsParser& parser) {
  constexpr std::size_t kFields =
      std::tuple_size_v<decltype(fields(std::declval<BackupSettings&>()))>;
  static_assert(kFields ==
                std::size(job_records::Accessors<BackupOptionsParser>::list));
  return readSettings(parser, std::make_index_sequence<kFields>());
}

}  // namespace

BackupSettings parse_backup_with_xelopts(int argc, char** argv) {
  BackupOptionsParser parser(argc, argv);
  return readSettings(parser);
}

BackupSettings parse_backup_with_report(int argc, char** argv) {
  XelOptionsParser::ParseReport report;
  BackupOptionsParser parser(argc, argv, report);
  return readSettings(parser);
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

long construct_backup_by_hand(int argc, char** argv) {
  const BackupSettings settings = parse_backup_by_hand(argc, argv);
  return digest(settings.jobId, settings.numStreamsForRBS, settings.rbsJob);
}

}  // namespace bench
