// SPDX-License-Identifier: MIT
#include "BackupOptionsParser.h"

#include "JobKind.h"

namespace {

namespace detail = xelopts::detail;
using Parser = BackupOptionsParser;
using Settings = Parser::Settings;

// The backup job, declared once. Each field of the record in its order: the
// accessor that reads it, its member of Settings, the codes of the options
// that write it (its own first) and their rule, after the rows every kind
// begins with.
// clang-format off
#define BACKUP_FIELDS(FIELD)                                                \
  XELOPTS_LEADING_FIELDS(FIELD)                                             \
  FIELD(getBackupType,        backupType,        "t",  number)              \
  FIELD(getJobToken,          jobToken,          "s",  text)                \
  FIELD(getClientMachine,     clientMachine,     "c",  text)                \
  FIELD(getMediaAgent,        mediaAgent,        "d",  text)                \
  FIELD(isLOption,            lOption,           "l",  flag)                \
  FIELD(isDOption,            dOption,           "F",  flag)                \
  FIELD(isIOption,            iOption,           "i",  flag)                \
  FIELD(getFullRestartString, fullRestartString, "or", appendRestart)       \
  FIELD(getBackupPhase,       backupPhase,       "h",  text)                \
  FIELD(getRestoreTaskId,     restoreTaskId,     "p",  number)              \
  FIELD(isSkipConversion,     skipConversion,    "S",  flag)                \
  FIELD(isIntegrityCheck,     integrityCheck,    "BS", flag)                \
  FIELD(isRBSJob,             rbsJob,            "RU", flag)                \
  FIELD(getNumStreamsForRBS,  numStreamsForRBS,  "N",  number)              \
  FIELD(isAlwaysONJob,        alwaysONJob,       "A",  flag)                \
  FIELD(isDctmJob,            dctmJob,           "U",  flag)                \
  FIELD(isTLToSnapJob,        tlToSnapJob,       "T",  flag)
// clang-format on

constexpr std::tuple kFields{BACKUP_FIELDS(XELOPTS_FIELD_ROW)};

constexpr auto kNoValue = XelGetOpt::no_argument;
// clang-format off
constexpr detail::LongName kLongNames[] = {
    {"cn", 'c'}, {"vm", 'v'}, {"VM", 'V'}, {"jt", 's'},
    {"data", 'F', kNoValue}, {"logs", 'l', kNoValue},
    {"differential", 'i', kNoValue}, {"phase", 'h'}, {"restart", 'r'},
    {"d", 'd'}, {"skipconversionrules", 'S', kNoValue},
    {"integcheck", 'B', kNoValue}, {"rbs", 'R', kNoValue}, {"numstreams", 'N'},
    {"alwayson", 'A', kNoValue}, {"dctm", 'U', kNoValue},
    {"TLToSnap", 'T', kNoValue}};
// clang-format on

constexpr detail::JobKind kKind("j:J:a:p:t:o:", kLongNames, kFields);
// Every parser of the kind, on every thread, scans with this one table.
detail::JobTable longNames(kKind.vocabulary);

}  // namespace

void BackupOptionsParser::initMembers() {
  detail::resetNumbersAndFlags<kKind>(settings_);
}

XELOPTS_SETTER(BackupOptionsParser, setJobId, 'j')
XELOPTS_SETTER(BackupOptionsParser, setApplicationNumber, 'a')
XELOPTS_SETTER(BackupOptionsParser, setVirtualMachine, 'v')
void BackupOptionsParser::setBackupType(unsigned long type) {
  settings_.backupType = type;
}

XELOPTS_SETTER(BackupOptionsParser, setJobToken, 's')
XELOPTS_SETTER(BackupOptionsParser, setClientMachine, 'c')
XELOPTS_SETTER(BackupOptionsParser, setMediaAgent, 'd')
XELOPTS_SETTER(BackupOptionsParser, setRestartString, 'o')
XELOPTS_PARSER_MEMBERS(BackupOptionsParser, true, nullptr)
BACKUP_FIELDS(XELOPTS_FIELD_ACCESSOR)
