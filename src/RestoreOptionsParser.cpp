// SPDX-License-Identifier: MIT
#include "RestoreOptionsParser.h"

#include "JobKind.h"

namespace {

namespace detail = xelopts::detail;
using Parser = RestoreOptionsParser;
using Settings = Parser::Settings;

// The restore job, declared once. Each field of the record in its order: the
// accessor that reads it, its member of Settings, the codes of the options
// that write it (its own first) and their rule, after the rows every kind
// begins with.
// clang-format off
#define RESTORE_FIELDS(FIELD)                                               \
  XELOPTS_LEADING_FIELDS(FIELD)                                             \
  FIELD(getJobToken,          jobToken,          "s",  text)                \
  FIELD(getClientMachine,     clientMachine,     "c",  text)                \
  FIELD(getMaHostName,        maHostName,        "m",  text)                \
  FIELD(getRestoreTaskId,     restoreTaskId,     "p",  number)              \
  FIELD(isRBSJob,             rbsJob,            "RU", flag)                \
  FIELD(isDctmJob,            dctmJob,           "U",  flag)
// clang-format on

// The phase is taken and kept, but no accessor shows it.
constexpr std::tuple kFields{RESTORE_FIELDS(XELOPTS_FIELD_ROW)
                                 detail::kept<Settings>("h")};

// The value of "rbs" is never read.
constexpr detail::LongName kLongNames[] = {
    {"cn", 'c'},    {"vm", 'v'},
    {"VM", 'V'},    {"jt", 's'},
    {"phase", 'h'}, {"maHostName", 'm'},
    {"rbs", 'R'},   {"dctm", 'U', XelGetOpt::no_argument}};

constexpr detail::JobKind kKind("j:J:a:p:", kLongNames, kFields);
// Every parser of the kind, on every thread, scans with this one table.
detail::JobTable longNames(kKind.vocabulary);

}  // namespace

void RestoreOptionsParser::initMembers() {
  detail::resetNumbersAndFlags<kKind>(settings_);
}

XELOPTS_SETTER(RestoreOptionsParser, setJobId, 'j')
XELOPTS_SETTER(RestoreOptionsParser, setApplicationNumber, 'a')
XELOPTS_SETTER(RestoreOptionsParser, setVirtualMachine, 'v')
XELOPTS_SETTER(RestoreOptionsParser, setJobToken, 's')
XELOPTS_SETTER(RestoreOptionsParser, setClientMachine, 'c')
XELOPTS_PARSER_MEMBERS(RestoreOptionsParser, true, &self.backupPhase_)
RESTORE_FIELDS(XELOPTS_FIELD_ACCESSOR)
