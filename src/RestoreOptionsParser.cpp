// SPDX-License-Identifier: MIT
#include "RestoreOptionsParser.h"

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

constexpr Option kOptions[] =
    {
        {nullptr, kValue, 'j'},  {nullptr, kValue, 'J'},
        {nullptr, kValue, 'a'},  {nullptr, kValue, 'p'},
        {"cn", kValue, 'c'},     {"vm", kValue, 'v'},
        {"VM", kValue, 'V'},     {"jt", kValue, 's'},
        {"phase", kValue, 'h'},  {"maHostName", kValue, 'm'},
        {"rbs", kValue, 'R'},  // the value is never read
        {"dctm", kNoValue, 'U'},
};

// Every parser of this kind, on every thread, scans with its one table.
constexpr xelopts::detail::JobKind kKind("j:J:a:p:", kOptions);

using Settings = RestoreOptionsParser::Settings;

// The settings' members in the record's order, and their names.
auto fieldsOf(const Settings& s) {
  return std::tie(s.jobId, s.applicationNumber, s.quorvelId, s.virtualMachine,
                  s.jobToken, s.clientMachine, s.maHostName, s.restoreTaskId,
                  s.rbsJob, s.dctmJob);
}

constexpr const char* kFieldNames[] = {"jobId",      "applicationNumber",
                                       "quorvelId",  "virtualMachine",
                                       "jobToken",   "clientMachine",
                                       "maHostName", "restoreTaskId",
                                       "rbsJob",     "dctmJob"};

}  // namespace

namespace detail = xelopts::detail;

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

const XelOptionsParser::Vocabulary& RestoreOptionsParser::vocabulary() {
  return kKind.vocabulary;
}

void RestoreOptionsParser::initMembers() {
  jobId_ = detail::kDefaultJobId;
  applicationNumber_ = detail::kDefaultApplicationNumber;
  quorvelId_ = detail::kDefaultQuorvelId;
  restoreTaskId_ = detail::kDefaultNumber;
  rbsJob_ = false;
  dctmJob_ = false;
}

void RestoreOptionsParser::initializeParser(int argc, char** argv) {
  scanner_ = XelGetOpt(argc, argv, kKind.vocabulary.shortOptions);
  kKind.longOptions.lendTo(scanner_);
}

void RestoreOptionsParser::parse(int /*argc*/, char** /*argv*/) {
  parseInto(nullptr);
}

void RestoreOptionsParser::parseInto(ParseReport* report) {
  // The codes of this parser alone.
  const detail::OwnOptionHandler own = [](XelOptionsParser& parser, int code,
                                          const char* text,
                                          detail::Effect* effect) {
    auto& self = static_cast<RestoreOptionsParser&>(parser);
    switch (code) {
      case 'm':
        detail::setText(self.maHostName_, text, effect);
        return true;
      case 'R':
        // The value is never read.
        detail::setFlags(self.rbsJob_, self.rbsJob_, effect);
        return true;
      case 'U':
        // A dctm job is always an RBS job.
        detail::setFlags(self.dctmJob_, self.rbsJob_, effect);
        return true;
      default:
        return false;
    }
  };
  detail::parseWith(
      scanner_,
      {jobId_, applicationNumber_, quorvelId_, virtualMachine_, jobToken_,
       clientMachine_, restoreTaskId_, backupPhase_, nullptr, nullptr, false},
      *this, own, report);
}

void RestoreOptionsParser::setJobId(const std::string& text) {
  detail::setJobId(jobId_, text);
}

void RestoreOptionsParser::setApplicationNumber(const std::string& text) {
  detail::setApplicationNumber(applicationNumber_, quorvelId_, text);
}

void RestoreOptionsParser::setVirtualMachine(const std::string& text) {
  detail::setVirtualMachine(virtualMachine_, text);
}

void RestoreOptionsParser::setJobToken(const std::string& text) {
  detail::setText(jobToken_, text);
}

void RestoreOptionsParser::setClientMachine(const std::string& text) {
  detail::setText(clientMachine_, text);
}

RestoreOptionsParser::Settings RestoreOptionsParser::settings() const {
  return {jobId_,          applicationNumber_, quorvelId_,
          virtualMachine_, jobToken_,          clientMachine_,
          maHostName_,     restoreTaskId_,     rbsJob_,
          dctmJob_};
}

XelOptionsParser::CommandLine RestoreOptionsParser::commandLine(
    const Settings& settings) {
  const Settings& s = settings;
  detail::CommandLineWriter line(kKind.vocabulary, kKind.codes,
                                 std::size(kFieldNames));
  line.leadingFields({s.jobId, s.applicationNumber, s.quorvelId,
                      s.virtualMachine, nullptr, s.jobToken, s.clientMachine,
                      nullptr});
  line.text('m', "getMaHostName", s.maHostName);
  line.number('p', s.restoreTaskId);
  line.flag('R', s.rbsJob && !s.dctmJob);  // -dctm sets it too
  line.flagWithPair('U', "isDctmJob", s.dctmJob, s.rbsJob);
  return line.finish();
}

bool RestoreOptionsParser::Settings::operator==(const Settings& other) const {
  return fieldsOf(*this) == fieldsOf(other);
}

std::string RestoreOptionsParser::Settings::description() const {
  return detail::describe(kFieldNames, fieldsOf(*this));
}

std::string RestoreOptionsParser::getClientMachine() { return clientMachine_; }
std::string RestoreOptionsParser::getJobToken() { return jobToken_; }
std::string RestoreOptionsParser::getVirtualMachine() {
  return virtualMachine_;
}
std::int64_t RestoreOptionsParser::getJobId() { return jobId_; }
std::uint64_t RestoreOptionsParser::getApplicationNumber() {
  return applicationNumber_;
}
std::uint64_t RestoreOptionsParser::getQuorvelId() { return quorvelId_; }
std::string RestoreOptionsParser::getMaHostName() { return maHostName_; }
std::uint64_t RestoreOptionsParser::getRestoreTaskId() {
  return restoreTaskId_;
}
bool RestoreOptionsParser::isRBSJob() { return rbsJob_; }
bool RestoreOptionsParser::isDctmJob() { return dctmJob_; }
