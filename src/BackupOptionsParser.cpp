// SPDX-License-Identifier: MIT
#include "BackupOptionsParser.h"

#include "JobCommandLine.h"
#include "JobDeclaration.h"
#include "JobDispatch.h"
#include "JobSettings.h"
#include "JobTable.h"

namespace {

namespace detail = xelopts::detail;
using detail::option;
using detail::partOf;
using Parser = BackupOptionsParser;
using Settings = Parser::Settings;

// The backup job, declared once: each field of the record in its order,
// after the rows every kind begins with.
// clang-format off
#define BACKUP_FIELDS(FIELD)                                                                                                                                      \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                                   \
  FIELD(getBackupType,        backupType,        number,        option('t'),                "the backup's type, a number")                                        \
  FIELD(getJobToken,          jobToken,          text,          option('s'),                "the job's token")                                                    \
  FIELD(getClientMachine,     clientMachine,     text,          option('c'),                "the client machine's name")                                          \
  FIELD(getMediaAgent,        mediaAgent,        text,          option('d'),                "the media agent's name")                                             \
  FIELD(isLOption,            lOption,           flag,          option('l'),                "the L option, whose word is -logs")                                  \
  FIELD(isDOption,            dOption,           flag,          option('F'),                "the D option, whose word is -data (its code is F)")                  \
  FIELD(isIOption,            iOption,           flag,          option('i'),                "the I option, whose word is -differential")                          \
  FIELD(getFullRestartString, fullRestartString, appendRestart, option('o').alias('r'),     "every restart value, each after \"-o \", run on: -o 5-o 7")          \
  FIELD(getBackupPhase,       backupPhase,       text,          option('h'),                "the backup's phase, as written")                                     \
  FIELD(getRestoreTaskId,     restoreTaskId,     number,        option('p'),                "the restore task's id")                                              \
  FIELD(isSkipConversion,     skipConversion,    flag,          option('S'),                "skip the conversion rules; its option sets the integrity check too") \
  FIELD(isIntegrityCheck,     integrityCheck,    flag,          option('B').alsoSetBy('S'), "check integrity")                                                    \
  FIELD(isRBSJob,             rbsJob,            flag,          option('R').alsoSetBy('U'), "an RBS job, whose streams getNumStreamsForRBS gives")                \
  FIELD(getNumStreamsForRBS,  numStreamsForRBS,  number,        option('N'),                "the streams of an RBS job, kept whether or not the job is one")      \
  FIELD(isAlwaysONJob,        alwaysONJob,       flag,          option('A'),                "an always-on job")                                                   \
  FIELD(isDctmJob,            dctmJob,           flag,          option('U'),                "a dctm job, which is always an RBS job too")                         \
  FIELD(isTLToSnapJob,        tlToSnapJob,       flag,          option('T'),                "a TLToSnap job")
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

BackupOptionsParser::BackupOptionsParser(int argc, char** argv) {
  initMembers();
  initializeParser(argc, argv);
  parse(argc, argv);
}

BackupOptionsParser::BackupOptionsParser(int argc, char** argv,
                                         ParseReport& report) {
  detail::clearReport(report);
  initMembers();
  initializeParser(argc, argv);
  parseInto(&report);
}

BackupOptionsParser::~BackupOptionsParser() = default;

const Parser::Vocabulary& Parser::vocabulary() { return kKind.vocabulary; }

const Parser::FieldTable& Parser::fields() { return detail::fieldsOf<kKind>(); }

Parser::CommandLine Parser::commandLine(const Settings& settings) {
  return detail::writeCommandLine<kKind>(settings);
}

void Parser::initMembers() { detail::resetNumbersAndFlags<kKind>(settings_); }

void Parser::initializeParser(int argc, char** argv) {
  longNames.startScan(scanner_, argc, argv);
}

void Parser::parse(int /*argc*/, char** /*argv*/) { parseInto(nullptr); }

void Parser::parseInto(ParseReport* report) {
  detail::parseKind<kKind, &Parser::settings_>(scanner_, *this, report);
}

XELOPTS_SETTER(Parser, setJobId, 'j')
XELOPTS_SETTER(Parser, setApplicationNumber, 'a')
XELOPTS_SETTER(Parser, setVirtualMachine, 'v')
void Parser::setBackupType(unsigned long type) { settings_.backupType = type; }
XELOPTS_SETTER(Parser, setJobToken, 's')
XELOPTS_SETTER(Parser, setClientMachine, 'c')
XELOPTS_SETTER(Parser, setMediaAgent, 'd')
XELOPTS_SETTER(Parser, setRestartString, 'o')

Settings Parser::settings() const { return settings_; }

Parser::FieldValue Parser::fieldValue(int field) const {
  return settings_.fieldValue(field);
}

Parser::FieldValue Settings::fieldValue(int field) const {
  return detail::fieldValue<kKind>(*this, field);
}

bool Settings::operator==(const Settings& other) const {
  return detail::equal<kKind>(*this, other);
}

std::string Settings::description() const {
  return detail::describe<kKind>(*this);
}

BACKUP_FIELDS(XELOPTS_FIELD_ACCESSOR)
