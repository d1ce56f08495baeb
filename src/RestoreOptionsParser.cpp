// SPDX-License-Identifier: MIT
#include "xelopts/RestoreOptionsParser.h"

#include "JobParser.h"

namespace {

using namespace xelopts::detail;  // NOLINT: the rows read as a table
using Parser = RestoreOptionsParser;
using Settings = Parser::Settings;

// The restore job, declared once: each field of the record in its order,
// after the rows every kind begins with, with the options that write it.
// clang-format off
#define RESTORE_FIELDS(FIELD)                                                                                                                           \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                         \
  FIELD(getJobToken,      jobToken,      text,   option('s', "jt"),                                "the job's token")                                     \
  FIELD(getClientMachine, clientMachine, text,   option('c', "cn"),                                "the client machine's name")                           \
  FIELD(getMaHostName,    maHostName,    text,   option('m', "maHostName"),                        "the media agent's host name")                         \
  FIELD(getRestoreTaskId, restoreTaskId, number, letter('p'),                                      "the restore task's id")                               \
  FIELD(isRBSJob,         rbsJob,        flag,   option('R', "rbs").alsoSetBy('U').ignoresValue(), "an RBS job; -rbs takes a value, which nothing reads") \
  FIELD(isDctmJob,        dctmJob,       flag,   option('U', "dctm"),                              "a dctm job, which is always an RBS job too")
// clang-format on

// The short letters, then the long names, in the order job processes have
// always had them: "j:J:a:p:", then -cn, -vm, -VM ...
constexpr JobKind kKind(
    "jJap"
    "cvVshmRU",
    // The phase is taken and kept apart in the parser, where no accessor
    // shows it.
    std::tuple{RESTORE_FIELDS(XELOPTS_FIELD_ROW)
                   apart<Settings>(option('h', "phase"))});

}  // namespace

XELOPTS_JOB_PARSER(RestoreOptionsParser, NullArgv::scanned,
                   &Parser::backupPhase_)

RESTORE_FIELDS(XELOPTS_FIELD_ACCESSOR)
