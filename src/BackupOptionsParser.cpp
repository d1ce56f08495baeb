// SPDX-License-Identifier: MIT
#include "BackupOptionsParser.h"

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
constexpr XelGetOpt::ParamType kNoValue = XelGetOpt::no_argument;

constexpr Option kOptions[] = {
    {nullptr, kValue, 'j'},
    {nullptr, kValue, 'J'},
    {nullptr, kValue, 'a'},
    {nullptr, kValue, 'p'},
    {nullptr, kValue, 't'},
    {nullptr, kValue, 'o'},
    {"cn", kValue, 'c'},
    {"vm", kValue, 'v'},
    {"VM", kValue, 'V'},
    {"jt", kValue, 's'},
    {"data", kNoValue, 'F'},
    {"logs", kNoValue, 'l'},
    {"differential", kNoValue, 'i'},
    {"phase", kValue, 'h'},
    {"restart", kValue, 'r'},
    {"d", kValue, 'd'},
    {"skipconversionrules", kNoValue, 'S'},
    {"integcheck", kNoValue, 'B'},
    {"rbs", kNoValue, 'R'},
    {"numstreams", kValue, 'N'},
    {"alwayson", kNoValue, 'A'},
    {"dctm", kNoValue, 'U'},
    {"TLToSnap", kNoValue, 'T'},
};

// Every parser of this kind, on every thread, scans with its one table.
constexpr xelopts::detail::JobKind kKind("j:J:a:p:t:o:", kOptions);

using Settings = BackupOptionsParser::Settings;

// The settings' members in the record's order, and their names.
auto fieldsOf(const Settings& s) {
  return std::tie(s.jobId, s.applicationNumber, s.quorvelId, s.virtualMachine,
                  s.backupType, s.jobToken, s.clientMachine, s.mediaAgent,
                  s.lOption, s.dOption, s.iOption, s.fullRestartString,
                  s.backupPhase, s.restoreTaskId, s.skipConversion,
                  s.integrityCheck, s.rbsJob, s.numStreamsForRBS, s.alwaysONJob,
                  s.dctmJob, s.tlToSnapJob);
}

constexpr const char* kFieldNames[] = {
    "jobId",       "applicationNumber", "quorvelId",      "virtualMachine",
    "backupType",  "jobToken",          "clientMachine",  "mediaAgent",
    "lOption",     "dOption",           "iOption",        "fullRestartString",
    "backupPhase", "restoreTaskId",     "skipConversion", "integrityCheck",
    "rbsJob",      "numStreamsForRBS",  "alwaysONJob",    "dctmJob",
    "tlToSnapJob"};

// Any run of entries is one entry: "-o 5-o 7" is -o "5-o 7".
void writeRestart(xelopts::detail::CommandLineWriter& line,
                  const std::string& restart) {
  const std::size_t entry =
      std::char_traits<char>::length(xelopts::detail::kRestartEntry);
  if (restart.size() > entry &&
      restart.compare(0, entry, xelopts::detail::kRestartEntry) == 0) {
    line.text('o', "getFullRestartString", restart.substr(entry));
  } else if (!restart.empty()) {
    line.refuse("getFullRestartString",
                XelOptionsParser::Unwritable::restartNotEntries);
  }
}

}  // namespace

namespace detail = xelopts::detail;

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

const XelOptionsParser::Vocabulary& BackupOptionsParser::vocabulary() {
  return kKind.vocabulary;
}

void BackupOptionsParser::initMembers() {
  jobId_ = detail::kDefaultJobId;
  applicationNumber_ = detail::kDefaultApplicationNumber;
  quorvelId_ = detail::kDefaultQuorvelId;
  backupType_ = detail::kDefaultNumber;
  lOption_ = false;
  dOption_ = false;
  iOption_ = false;
  restoreTaskId_ = detail::kDefaultNumber;
  skipConversion_ = false;
  integrityCheck_ = false;
  rbsJob_ = false;
  numStreamsForRBS_ = detail::kDefaultNumber;
  alwaysONJob_ = false;
  dctmJob_ = false;
  tlToSnapJob_ = false;
}

void BackupOptionsParser::initializeParser(int argc, char** argv) {
  scanner_ = XelGetOpt(argc, argv, kKind.vocabulary.shortOptions);
  kKind.longOptions.lendTo(scanner_);
}

void BackupOptionsParser::parse(int /*argc*/, char** /*argv*/) {
  parseInto(nullptr);
}

void BackupOptionsParser::parseInto(ParseReport* report) {
  // The codes of this parser alone.
  const detail::OwnOptionHandler own = [](XelOptionsParser& parser, int code,
                                          const char* text,
                                          detail::Effect* effect) {
    auto& self = static_cast<BackupOptionsParser&>(parser);
    switch (code) {
      case 'o':
      case 'r':
        detail::appendRestart(self.fullRestartString_, text, effect);
        return true;
      case 'F':
        detail::setFlags(self.dOption_, self.dOption_, effect);
        return true;
      case 'l':
        detail::setFlags(self.lOption_, self.lOption_, effect);
        return true;
      case 'i':
        detail::setFlags(self.iOption_, self.iOption_, effect);
        return true;
      case 'S':
        detail::setFlags(self.skipConversion_, self.integrityCheck_, effect);
        return true;
      case 'B':
        detail::setFlags(self.integrityCheck_, self.integrityCheck_, effect);
        return true;
      case 'R':
        detail::setFlags(self.rbsJob_, self.rbsJob_, effect);
        return true;
      case 'N':
        detail::setNumber(self.numStreamsForRBS_, text, effect);
        return true;
      case 'A':
        detail::setFlags(self.alwaysONJob_, self.alwaysONJob_, effect);
        return true;
      case 'U':
        // A dctm job is always an RBS job.
        detail::setFlags(self.dctmJob_, self.rbsJob_, effect);
        return true;
      case 'T':
        detail::setFlags(self.tlToSnapJob_, self.tlToSnapJob_, effect);
        return true;
      default:
        return false;
    }
  };
  detail::parseWith(scanner_,
                    {jobId_, applicationNumber_, quorvelId_, virtualMachine_,
                     jobToken_, clientMachine_, restoreTaskId_, backupPhase_,
                     &mediaAgent_, &backupType_, true},
                    *this, own, report);
}

void BackupOptionsParser::setJobId(const std::string& text) {
  detail::setJobId(jobId_, text);
}

void BackupOptionsParser::setApplicationNumber(const std::string& text) {
  detail::setApplicationNumber(applicationNumber_, quorvelId_, text);
}

void BackupOptionsParser::setVirtualMachine(const std::string& text) {
  detail::setVirtualMachine(virtualMachine_, text);
}

void BackupOptionsParser::setBackupType(unsigned long type) {
  backupType_ = type;
}

void BackupOptionsParser::setJobToken(const std::string& text) {
  detail::setText(jobToken_, text);
}

void BackupOptionsParser::setClientMachine(const std::string& text) {
  detail::setText(clientMachine_, text);
}

void BackupOptionsParser::setMediaAgent(const std::string& text) {
  detail::setText(mediaAgent_, text);
}

void BackupOptionsParser::setRestartString(const std::string& text) {
  detail::appendRestart(fullRestartString_, text);
}

BackupOptionsParser::Settings BackupOptionsParser::settings() const {
  return {jobId_,       applicationNumber_, quorvelId_,      virtualMachine_,
          backupType_,  jobToken_,          clientMachine_,  mediaAgent_,
          lOption_,     dOption_,           iOption_,        fullRestartString_,
          backupPhase_, restoreTaskId_,     skipConversion_, integrityCheck_,
          rbsJob_,      numStreamsForRBS_,  alwaysONJob_,    dctmJob_,
          tlToSnapJob_};
}

XelOptionsParser::CommandLine BackupOptionsParser::commandLine(
    const Settings& settings) {
  const Settings& s = settings;
  detail::CommandLineWriter line(kKind.vocabulary, kKind.codes,
                                 std::size(kFieldNames));
  line.leadingFields({s.jobId, s.applicationNumber, s.quorvelId,
                      s.virtualMachine, &s.backupType, s.jobToken,
                      s.clientMachine, &s.mediaAgent});
  line.flag('l', s.lOption);
  line.flag('F', s.dOption);
  line.flag('i', s.iOption);
  writeRestart(line, s.fullRestartString);
  line.text('h', "getBackupPhase", s.backupPhase);
  line.number('p', s.restoreTaskId);
  line.flagWithPair('S', "isSkipConversion", s.skipConversion,
                    s.integrityCheck);
  // -skipconversionrules and -dctm set a second flag too.
  line.flag('B', s.integrityCheck && !s.skipConversion);
  line.flag('R', s.rbsJob && !s.dctmJob);
  line.number('N', s.numStreamsForRBS);
  line.flag('A', s.alwaysONJob);
  line.flagWithPair('U', "isDctmJob", s.dctmJob, s.rbsJob);
  line.flag('T', s.tlToSnapJob);
  return line.finish();
}

bool BackupOptionsParser::Settings::operator==(const Settings& other) const {
  return fieldsOf(*this) == fieldsOf(other);
}

std::string BackupOptionsParser::Settings::description() const {
  return detail::describe(kFieldNames, fieldsOf(*this));
}

std::string BackupOptionsParser::getClientMachine() { return clientMachine_; }
std::string BackupOptionsParser::getJobToken() { return jobToken_; }
std::string BackupOptionsParser::getVirtualMachine() { return virtualMachine_; }
std::int64_t BackupOptionsParser::getJobId() { return jobId_; }
std::uint64_t BackupOptionsParser::getApplicationNumber() {
  return applicationNumber_;
}
std::uint64_t BackupOptionsParser::getQuorvelId() { return quorvelId_; }
std::uint64_t BackupOptionsParser::getBackupType() { return backupType_; }
std::string BackupOptionsParser::getMediaAgent() { return mediaAgent_; }
std::string BackupOptionsParser::getFullRestartString() {
  return fullRestartString_;
}
std::string BackupOptionsParser::getBackupPhase() { return backupPhase_; }
std::uint64_t BackupOptionsParser::getRestoreTaskId() { return restoreTaskId_; }
std::uint64_t BackupOptionsParser::getNumStreamsForRBS() {
  return numStreamsForRBS_;
}
bool BackupOptionsParser::isLOption() { return lOption_; }
bool BackupOptionsParser::isDOption() { return dOption_; }
bool BackupOptionsParser::isIOption() { return iOption_; }
bool BackupOptionsParser::isSkipConversion() { return skipConversion_; }
bool BackupOptionsParser::isIntegrityCheck() { return integrityCheck_; }
bool BackupOptionsParser::isRBSJob() { return rbsJob_; }
bool BackupOptionsParser::isAlwaysONJob() { return alwaysONJob_; }
bool BackupOptionsParser::isDctmJob() { return dctmJob_; }
bool BackupOptionsParser::isTLToSnapJob() { return tlToSnapJob_; }
