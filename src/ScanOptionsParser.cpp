// SPDX-License-Identifier: MIT
#include "xelopts/ScanOptionsParser.h"

#include "JobParser.h"

namespace {

using namespace xelopts::detail;  // NOLINT: the rows read as a table
using Parser = ScanOptionsParser;
using Settings = Parser::Settings;

// The scan job, declared once: each field of the record in its order,
// after the rows every kind begins with, with the options that write it.
// clang-format off
#define SCAN_FIELDS(FIELD)                                                                                                                                \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                           \
  FIELD(getBackupType,    backupType,    number,          letter('t'),                       "the backup's type, a number")                                \
  FIELD(getJobToken,      jobToken,      text,            option('s', "jt"),                 "the job's token")                                            \
  FIELD(getClientMachine, clientMachine, text,            option('c', "cn"),                 "the client machine's name")                                  \
  FIELD(getMediaAgent,    mediaAgent,    text,            option('d', "d"),                  "the media agent's name")                                     \
  FIELD(getRestartString, restartString, smallestRestart, letter('o').alias('r', "restart"), "the first restart value of the smallest number, as written") \
  FIELD(getBackupPhase,   backupPhase,   text,            option('h', "phase"),              "the backup's phase, as written")                             \
  FIELD(getRestoreTaskId, restoreTaskId, number,          letter('p'),                       "the restore task's id")
// clang-format on

// The short letters, then the long names, in the order job processes have
// always had them: "j:J:a:p:t:o:", then -cn, -vm, -VM ...
constexpr JobKind kKind(
    "jJapto"
    "cvVsdhr",
    std::tuple{SCAN_FIELDS(XELOPTS_FIELD_ROW)});

}  // namespace

// A null argv leaves a record of defaults for the setters to fill.
XELOPTS_JOB_PARSER(ScanOptionsParser, NullArgv::leavesDefaults, nullptr)

void Parser::setBackupType(unsigned long type) { settings_.backupType = type; }
XELOPTS_SETTER(Parser, setMediaAgent, 'd')
XELOPTS_SETTER(Parser, setRestartString, 'o')

SCAN_FIELDS(XELOPTS_FIELD_ACCESSOR)
