// SPDX-License-Identifier: MIT
#include "ScanOptionsParser.h"

#include "JobCommandLine.h"
#include "JobDeclaration.h"
#include "JobDispatch.h"
#include "JobSettings.h"
#include "JobTable.h"

namespace {

namespace detail = xelopts::detail;
using detail::option;
using detail::partOf;
using Parser = ScanOptionsParser;
using Settings = Parser::Settings;

// The scan job, declared once: each field of the record in its order,
// after the rows every kind begins with.
// clang-format off
#define SCAN_FIELDS(FIELD)                                                                                                                      \
  XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                 \
  FIELD(getBackupType,    backupType,    number,          option('t'),            "the backup's type, a number")                                \
  FIELD(getJobToken,      jobToken,      text,            option('s'),            "the job's token")                                            \
  FIELD(getClientMachine, clientMachine, text,            option('c'),            "the client machine's name")                                  \
  FIELD(getMediaAgent,    mediaAgent,    text,            option('d'),            "the media agent's name")                                     \
  FIELD(getRestartString, restartString, smallestRestart, option('o').alias('r'), "the first restart value of the smallest number, as written") \
  FIELD(getBackupPhase,   backupPhase,   text,            option('h'),            "the backup's phase, as written")                             \
  FIELD(getRestoreTaskId, restoreTaskId, number,          option('p'),            "the restore task's id")
// clang-format on

constexpr std::tuple kFields{SCAN_FIELDS(XELOPTS_FIELD_ROW)};

constexpr detail::LongName kLongNames[] = {
    {"cn", 'c'}, {"vm", 'v'},    {"VM", 'V'},     {"jt", 's'},
    {"d", 'd'},  {"phase", 'h'}, {"restart", 'r'}};

constexpr detail::JobKind kKind("j:J:a:p:t:o:", kLongNames, kFields);
// Every parser of the kind, on every thread, scans with this one table.
detail::JobTable longNames(kKind.vocabulary);

}  // namespace

ScanOptionsParser::ScanOptionsParser(int argc, char** argv) {
  initMembers();
  // A null argv leaves a record of defaults for the setters to fill.
  if (argv != nullptr) {
    initializeParser(argc, argv);
    parse(argc, argv);
  }
}

ScanOptionsParser::ScanOptionsParser(int argc, char** argv,
                                     ParseReport& report) {
  detail::clearReport(report);
  initMembers();
  if (argv != nullptr) {
    initializeParser(argc, argv);
    parseInto(&report);
  }
}

ScanOptionsParser::~ScanOptionsParser() = default;

const Parser::Vocabulary& Parser::vocabulary() { return kKind.vocabulary; }

const Parser::FieldTable& Parser::fields() { return detail::fieldsOf<kKind>(); }

Parser::CommandLine Parser::commandLine(const Settings& settings) {
  return detail::writeCommandLine<kKind>(settings);
}

void Parser::initMembers() {
  detail::resetNumbersAndFlags<kKind>(settings_);
  settings_.restartString.clear();
}

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

SCAN_FIELDS(XELOPTS_FIELD_ACCESSOR)
