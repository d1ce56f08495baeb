// SPDX-License-Identifier: MIT
// Each job kind's record as data: the parser's accessors in the order of its
// fields, each read as a value. The one list of them that xeljob, the tests,
// the fuzz targets and the benchmarks share.
#ifndef XELOPTS_TOOLS_RECORDS_JOBRECORDS_H
#define XELOPTS_TOOLS_RECORDS_JOBRECORDS_H

#include <BackupOptionsParser.h>
#include <RestoreOptionsParser.h>
#include <ScanOptionsParser.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

namespace job_records {

using Value = std::variant<std::string, std::int64_t, std::uint64_t, bool>;

// One accessor of a parsed record and what it returned.
struct Field {
  const char* accessor;
  Value value;
};
using Record = std::vector<Field>;

template <class Parser>
struct Accessor {
  const char* name;
  Value (*read)(Parser&);
};

template <class Parser>
struct Accessors;

// {"getJobId", reads parser.getJobId()}, for the parser type P in scope.
// clang-format off
#define XELOPTS_ACCESSOR(method) \
  Accessor<P>{#method, [](P& parser) { return Value(parser.method()); }}
// clang-format on

template <>
struct Accessors<BackupOptionsParser> {
  using P = BackupOptionsParser;
  static constexpr Accessor<P> list[] = {
      // clang-format off
      XELOPTS_ACCESSOR(getJobId),
      XELOPTS_ACCESSOR(getApplicationNumber),
      XELOPTS_ACCESSOR(getQuorvelId),
      XELOPTS_ACCESSOR(getVirtualMachine),
      XELOPTS_ACCESSOR(getBackupType),
      XELOPTS_ACCESSOR(getJobToken),
      XELOPTS_ACCESSOR(getClientMachine),
      XELOPTS_ACCESSOR(getMediaAgent),
      XELOPTS_ACCESSOR(isLOption),
      XELOPTS_ACCESSOR(isDOption),
      XELOPTS_ACCESSOR(isIOption),
      XELOPTS_ACCESSOR(getFullRestartString),
      XELOPTS_ACCESSOR(getBackupPhase),
      XELOPTS_ACCESSOR(getRestoreTaskId),
      XELOPTS_ACCESSOR(isSkipConversion),
      XELOPTS_ACCESSOR(isIntegrityCheck),
      XELOPTS_ACCESSOR(isRBSJob),
      XELOPTS_ACCESSOR(getNumStreamsForRBS),
      XELOPTS_ACCESSOR(isAlwaysONJob),
      XELOPTS_ACCESSOR(isDctmJob),
      XELOPTS_ACCESSOR(isTLToSnapJob),
      // clang-format on
  };
};

template <>
struct Accessors<RestoreOptionsParser> {
  using P = RestoreOptionsParser;
  static constexpr Accessor<P> list[] = {
      // clang-format off
      XELOPTS_ACCESSOR(getJobId),
      XELOPTS_ACCESSOR(getApplicationNumber),
      XELOPTS_ACCESSOR(getQuorvelId),
      XELOPTS_ACCESSOR(getVirtualMachine),
      XELOPTS_ACCESSOR(getJobToken),
      XELOPTS_ACCESSOR(getClientMachine),
      XELOPTS_ACCESSOR(getMaHostName),
      XELOPTS_ACCESSOR(getRestoreTaskId),
      XELOPTS_ACCESSOR(isRBSJob),
      XELOPTS_ACCESSOR(isDctmJob),
      // clang-format on
  };
};

template <>
struct Accessors<ScanOptionsParser> {
  using P = ScanOptionsParser;
  static constexpr Accessor<P> list[] = {
      // clang-format off
      XELOPTS_ACCESSOR(getJobId),
      XELOPTS_ACCESSOR(getApplicationNumber),
      XELOPTS_ACCESSOR(getQuorvelId),
      XELOPTS_ACCESSOR(getVirtualMachine),
      XELOPTS_ACCESSOR(getBackupType),
      XELOPTS_ACCESSOR(getJobToken),
      XELOPTS_ACCESSOR(getClientMachine),
      XELOPTS_ACCESSOR(getMediaAgent),
      XELOPTS_ACCESSOR(getRestartString),
      XELOPTS_ACCESSOR(getBackupPhase),
      XELOPTS_ACCESSOR(getRestoreTaskId),
      // clang-format on
  };
};

#undef XELOPTS_ACCESSOR

// Every accessor of the parser, in field order.
template <class Parser>
Record readRecord(Parser& parser) {
  Record record;
  record.reserve(std::size(Accessors<Parser>::list));
  for (const Accessor<Parser>& accessor : Accessors<Parser>::list) {
    record.push_back({accessor.name, accessor.read(parser)});
  }
  return record;
}

// A value as text: numbers in decimal, flags as true/false, texts as they
// are.
inline std::string valueText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return *text;
  }
  if (const auto* truth = std::get_if<bool>(&value)) {
    return *truth ? "true" : "false";
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return std::to_string(*number);
  }
  return std::to_string(std::get<std::uint64_t>(value));
}

}  // namespace job_records

#endif  // XELOPTS_TOOLS_RECORDS_JOBRECORDS_H
