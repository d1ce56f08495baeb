// SPDX-License-Identifier: MIT
#include "ScanOptionsParser.h"

#include <iterator>
#include <tuple>

#include "CommandLineWriter.h"
#include "JobFields.h"
#include "JobKind.h"
#include "LongOptionTable.h"
#include "ParseLoop.h"
#include "SettingsDescription.h"

namespace {

using Option = XelOptionsParser::OptionSpec;
constexpr XelGetOpt::ParamType kValue = XelGetOpt::required_argument;

constexpr Option kOptions[] = {
    {nullptr, kValue, 'j'},   {nullptr, kValue, 'J'}, {nullptr, kValue, 'a'},
    {nullptr, kValue, 'p'},   {nullptr, kValue, 't'}, {nullptr, kValue, 'o'},
    {"cn", kValue, 'c'},      {"vm", kValue, 'v'},    {"VM", kValue, 'V'},
    {"jt", kValue, 's'},      {"d", kValue, 'd'},     {"phase", kValue, 'h'},
    {"restart", kValue, 'r'},
};

// Every parser of this kind, on every thread, scans with its one table.
constexpr xelopts::detail::JobKind kKind("j:J:a:p:t:o:", kOptions);

using Settings = ScanOptionsParser::Settings;

// The settings' members in the record's order, and their names.
auto fieldsOf(const Settings& s) {
  return std::tie(s.jobId, s.applicationNumber, s.quorvelId, s.virtualMachine,
                  s.backupType, s.jobToken, s.clientMachine, s.mediaAgent,
                  s.restartString, s.backupPhase, s.restoreTaskId);
}

constexpr const char* kFieldNames[] = {
    "jobId",         "applicationNumber", "quorvelId",     "virtualMachine",
    "backupType",    "jobToken",          "clientMachine", "mediaAgent",
    "restartString", "backupPhase",       "restoreTaskId"};

}  // namespace

namespace detail = xelopts::detail;

// A null argv leaves a record of defaults for the setters to fill.
ScanOptionsParser::ScanOptionsParser(int argc, char** argv) {
  initMembers();
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

const XelOptionsParser::Vocabulary& ScanOptionsParser::vocabulary() {
  return kKind.vocabulary;
}

void ScanOptionsParser::initMembers() {
  jobId_ = detail::kDefaultJobId;
  applicationNumber_ = detail::kDefaultApplicationNumber;
  quorvelId_ = detail::kDefaultQuorvelId;
  backupType_ = detail::kDefaultNumber;
  restartString_.clear();
  restoreTaskId_ = detail::kDefaultNumber;
}

void ScanOptionsParser::initializeParser(int argc, char** argv) {
  scanner_ = XelGetOpt(argc, argv, kKind.vocabulary.shortOptions);
  kKind.longOptions.lendTo(scanner_);
}

void ScanOptionsParser::parse(int /*argc*/, char** /*argv*/) {
  parseInto(nullptr);
}

void ScanOptionsParser::parseInto(ParseReport* report) {
  // The codes of this parser alone.
  const detail::OwnOptionHandler own = [](XelOptionsParser& parser, int code,
                                          const char* text,
                                          detail::Effect* effect) {
    if (code != 'o' && code != 'r') {
      return false;
    }
    detail::keepSmallestRestart(
        static_cast<ScanOptionsParser&>(parser).restartString_, text, effect);
    return true;
  };
  detail::parseWith(scanner_,
                    {jobId_, applicationNumber_, quorvelId_, virtualMachine_,
                     jobToken_, clientMachine_, restoreTaskId_, backupPhase_,
                     &mediaAgent_, &backupType_, true},
                    *this, own, report);
}

void ScanOptionsParser::setJobId(const std::string& text) {
  detail::setJobId(jobId_, text);
}

void ScanOptionsParser::setApplicationNumber(const std::string& text) {
  detail::setApplicationNumber(applicationNumber_, quorvelId_, text);
}

void ScanOptionsParser::setVirtualMachine(const std::string& text) {
  detail::setVirtualMachine(virtualMachine_, text);
}

void ScanOptionsParser::setBackupType(unsigned long type) {
  backupType_ = type;
}

void ScanOptionsParser::setJobToken(const std::string& text) {
  detail::setText(jobToken_, text);
}

void ScanOptionsParser::setClientMachine(const std::string& text) {
  detail::setText(clientMachine_, text);
}

void ScanOptionsParser::setMediaAgent(const std::string& text) {
  detail::setText(mediaAgent_, text);
}

void ScanOptionsParser::setRestartString(const std::string& text) {
  detail::keepSmallestRestart(restartString_, text);
}

ScanOptionsParser::Settings ScanOptionsParser::settings() const {
  return {jobId_,         applicationNumber_, quorvelId_,     virtualMachine_,
          backupType_,    jobToken_,          clientMachine_, mediaAgent_,
          restartString_, backupPhase_,       restoreTaskId_};
}

XelOptionsParser::CommandLine ScanOptionsParser::commandLine(
    const Settings& settings) {
  const Settings& s = settings;
  detail::CommandLineWriter line(kKind.vocabulary, kKind.codes,
                                 std::size(kFieldNames));
  line.leadingFields({s.jobId, s.applicationNumber, s.quorvelId,
                      s.virtualMachine, &s.backupType, s.jobToken,
                      s.clientMachine, &s.mediaAgent});
  // One value alone is kept as it is, whatever its number.
  line.text('o', "getRestartString", s.restartString);
  line.text('h', "getBackupPhase", s.backupPhase);
  line.number('p', s.restoreTaskId);
  return line.finish();
}

bool ScanOptionsParser::Settings::operator==(const Settings& other) const {
  return fieldsOf(*this) == fieldsOf(other);
}

std::string ScanOptionsParser::Settings::description() const {
  return detail::describe(kFieldNames, fieldsOf(*this));
}

std::string ScanOptionsParser::getClientMachine() { return clientMachine_; }
std::string ScanOptionsParser::getJobToken() { return jobToken_; }
std::string ScanOptionsParser::getVirtualMachine() { return virtualMachine_; }
std::int64_t ScanOptionsParser::getJobId() { return jobId_; }
std::uint64_t ScanOptionsParser::getApplicationNumber() {
  return applicationNumber_;
}
std::uint64_t ScanOptionsParser::getQuorvelId() { return quorvelId_; }
std::uint64_t ScanOptionsParser::getBackupType() { return backupType_; }
std::string ScanOptionsParser::getMediaAgent() { return mediaAgent_; }
std::string ScanOptionsParser::getRestartString() { return restartString_; }
std::string ScanOptionsParser::getBackupPhase() { return backupPhase_; }
std::uint64_t ScanOptionsParser::getRestoreTaskId() { return restoreTaskId_; }
