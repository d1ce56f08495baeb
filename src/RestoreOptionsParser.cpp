// SPDX-License-Identifier: MIT
#include "RestoreOptionsParser.h"

#include "JobCommandLine.h"
#include "JobDeclaration.h"
#include "JobDispatch.h"
#include "JobSettings.h"
#include "JobTable.h"

namespace {

namespace detail = xelopts::detail;
using detail::option;
using detail::partOf;
using Parser = RestoreOptionsParser;
using Settings = Parser::Settings;

// The restore job, declared once: each field of the record in its order,
// after the rows every kind begins with.
// clang-format off
#define RESTORE_FIELDS(FIELD)                                                                                                       \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                     \
  FIELD(getJobToken,      jobToken,      text,   option('s'),                "the job's token")                                     \
  FIELD(getClientMachine, clientMachine, text,   option('c'),                "the client machine's name")                           \
  FIELD(getMaHostName,    maHostName,    text,   option('m'),                "the media agent's host name")                         \
  FIELD(getRestoreTaskId, restoreTaskId, number, option('p'),                "the restore task's id")                               \
  FIELD(isRBSJob,         rbsJob,        flag,   option('R').alsoSetBy('U'), "an RBS job; -rbs takes a value, which nothing reads") \
  FIELD(isDctmJob,        dctmJob,       flag,   option('U'),                "a dctm job, which is always an RBS job too")
// clang-format on

// The phase is taken and kept, but no accessor shows it.
constexpr std::tuple kFields{RESTORE_FIELDS(XELOPTS_FIELD_ROW)
                                 detail::kept<Settings>(option('h'))};

constexpr detail::LongName kLongNames[] = {
    {"cn", 'c'},    {"vm", 'v'},
    {"VM", 'V'},    {"jt", 's'},
    {"phase", 'h'}, {"maHostName", 'm'},
    {"rbs", 'R'},   {"dctm", 'U', XelGetOpt::no_argument}};

constexpr detail::JobKind kKind("j:J:a:p:", kLongNames, kFields);
// Every parser of the kind, on every thread, scans with this one table.
detail::JobTable longNames(kKind.vocabulary);

}  // namespace

RestoreOptionsParser::RestoreOptionsParser(int argc, char** argv) {
  initMembers();
  initializeParser(argc, argv);
  parse(argc, argv);
}

RestoreOptionsParser::RestoreOptionsParser(int argc, char** argv,
                                           ParseReport& report) {
  detail::clearReport(report);
  initMembers();
  initializeParser(argc, argv);
  parseInto(&report);
}

RestoreOptionsParser::~RestoreOptionsParser() = default;

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
  detail::parseKind<kKind, &Parser::settings_, &Parser::backupPhase_>(
      scanner_, *this, report);
}

XELOPTS_SETTER(Parser, setJobId, 'j')
XELOPTS_SETTER(Parser, setApplicationNumber, 'a')
XELOPTS_SETTER(Parser, setVirtualMachine, 'v')
XELOPTS_SETTER(Parser, setJobToken, 's')
XELOPTS_SETTER(Parser, setClientMachine, 'c')

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

RESTORE_FIELDS(XELOPTS_FIELD_ACCESSOR)
