// SPDX-License-Identifier: MIT
#include "ScanOptionsParser.h"

#include "JobKind.h"

namespace {

namespace detail = xelopts::detail;
using Parser = ScanOptionsParser;
using Settings = Parser::Settings;

// The scan job, declared once. Each field of the record in its order: the
// accessor that reads it, its member of Settings, the codes of the options
// that write it (its own first) and their rule, after the rows every kind
// begins with.
// clang-format off
#define SCAN_FIELDS(FIELD)                                                  \
  XELOPTS_LEADING_FIELDS(FIELD)                                             \
  FIELD(getBackupType,        backupType,        "t",  number)              \
  FIELD(getJobToken,          jobToken,          "s",  text)                \
  FIELD(getClientMachine,     clientMachine,     "c",  text)                \
  FIELD(getMediaAgent,        mediaAgent,        "d",  text)                \
  FIELD(getRestartString,     restartString,     "or", smallestRestart)     \
  FIELD(getBackupPhase,       backupPhase,       "h",  text)                \
  FIELD(getRestoreTaskId,     restoreTaskId,     "p",  number)
// clang-format on

constexpr std::tuple kFields{SCAN_FIELDS(XELOPTS_FIELD_ROW)};

constexpr detail::LongName kLongNames[] = {
    {"cn", 'c'}, {"vm", 'v'},    {"VM", 'V'},     {"jt", 's'},
    {"d", 'd'},  {"phase", 'h'}, {"restart", 'r'}};

constexpr detail::JobKind kKind("j:J:a:p:t:o:", kLongNames, kFields);
// Every parser of the kind, on every thread, scans with this one table.
detail::JobTable longNames(kKind.vocabulary);

}  // namespace

void ScanOptionsParser::initMembers() {
  detail::resetNumbersAndFlags<kKind>(settings_);
  settings_.restartString.clear();
}

XELOPTS_SETTER(ScanOptionsParser, setJobId, 'j')
XELOPTS_SETTER(ScanOptionsParser, setApplicationNumber, 'a')
XELOPTS_SETTER(ScanOptionsParser, setVirtualMachine, 'v')
void ScanOptionsParser::setBackupType(unsigned long type) {
  settings_.backupType = type;
}

XELOPTS_SETTER(ScanOptionsParser, setJobToken, 's')
XELOPTS_SETTER(ScanOptionsParser, setClientMachine, 'c')
XELOPTS_SETTER(ScanOptionsParser, setMediaAgent, 'd')
XELOPTS_SETTER(ScanOptionsParser, setRestartString, 'o')
// A null argv leaves a record of defaults for the setters to fill.
XELOPTS_PARSER_MEMBERS(ScanOptionsParser, argv != nullptr, nullptr)
SCAN_FIELDS(XELOPTS_FIELD_ACCESSOR)
