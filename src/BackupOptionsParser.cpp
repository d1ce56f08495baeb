// SPDX-License-Identifier: MIT
#include "xelopts/BackupOptionsParser.h"

#include "JobParser.h"

namespace {

using namespace xelopts::detail;  // NOLINT: the rows read as a table
using Parser = BackupOptionsParser;
using Settings = Parser::Settings;

// The backup job, declared once: each field of the record in its order,
// after the rows every kind begins with, with the options that write it.
// clang-format off
#define BACKUP_FIELDS(FIELD)                                                                                                                                                      \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                                                   \
  FIELD(getBackupType,        backupType,        number,        letter('t'),                                "the backup's type, a number")                                        \
  FIELD(getJobToken,          jobToken,          text,          option('s', "jt"),                          "the job's token")                                                    \
  FIELD(getClientMachine,     clientMachine,     text,          option('c', "cn"),                          "the client machine's name")                                          \
  FIELD(getMediaAgent,        mediaAgent,        text,          option('d', "d"),                           "the media agent's name")                                             \
  FIELD(isLOption,            lOption,           flag,          option('l', "logs"),                        "the L option, whose word is -logs")                                  \
  FIELD(isDOption,            dOption,           flag,          option('F', "data"),                        "the D option, whose word is -data (its code is F)")                  \
  FIELD(isIOption,            iOption,           flag,          option('i', "differential"),                "the I option, whose word is -differential")                          \
  FIELD(getFullRestartString, fullRestartString, appendRestart, letter('o').alias('r', "restart"),          "every restart value, each after \"-o \", run on: -o 5-o 7")          \
  FIELD(getBackupPhase,       backupPhase,       text,          option('h', "phase"),                       "the backup's phase, as written")                                     \
  FIELD(getRestoreTaskId,     restoreTaskId,     number,        letter('p'),                                "the restore task's id")                                              \
  FIELD(isSkipConversion,     skipConversion,    flag,          option('S', "skipconversionrules"),         "skip the conversion rules; its option sets the integrity check too") \
  FIELD(isIntegrityCheck,     integrityCheck,    flag,          option('B', "integcheck").alsoSetBy('S'),   "check integrity")                                                    \
  FIELD(isRBSJob,             rbsJob,            flag,          option('R', "rbs").alsoSetBy('U'),          "an RBS job, whose streams getNumStreamsForRBS gives")                \
  FIELD(getNumStreamsForRBS,  numStreamsForRBS,  number,        option('N', "numstreams"),                  "the streams of an RBS job, kept whether or not the job is one")      \
  FIELD(isAlwaysONJob,        alwaysONJob,       flag,          option('A', "alwayson"),                    "an always-on job")                                                   \
  FIELD(isDctmJob,            dctmJob,           flag,          option('U', "dctm"),                        "a dctm job, which is always an RBS job too")                         \
  FIELD(isTLToSnapJob,        tlToSnapJob,       flag,          option('T', "TLToSnap"),                    "a TLToSnap job")
// clang-format on

// The short letters, then the long names, in the order job processes have
// always had them: "j:J:a:p:t:o:", then -cn, -vm, -VM ...
constexpr JobKind kKind(
    "jJapto"
    "cvVsFlihrdSBRNAUT",
    std::tuple{BACKUP_FIELDS(XELOPTS_FIELD_ROW)});

}  // namespace

XELOPTS_JOB_PARSER(BackupOptionsParser, NullArgv::scanned, nullptr)

void Parser::setBackupType(unsigned long type) { settings_.backupType = type; }
XELOPTS_SETTER(Parser, setMediaAgent, 'd')
XELOPTS_SETTER(Parser, setRestartString, 'o')

BACKUP_FIELDS(XELOPTS_FIELD_ACCESSOR)
