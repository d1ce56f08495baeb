#include "RestoreOptionsParser.h"

#include <iterator>

#include "JobFields.h"
#include "ScannerSetup.h"

namespace {

using Option = XelOptionsParser::OptionSpec;
constexpr XelGetOpt::ParamType kValue = XelGetOpt::required_argument;
constexpr XelGetOpt::ParamType kNoValue = XelGetOpt::no_argument;

constexpr Option kOptions[] = {
    {nullptr, kValue, 'j', "getJobId"},
    {nullptr, kValue, 'J', "getJobId"},
    {nullptr, kValue, 'a', "getApplicationNumber, getQuorvelId"},
    {nullptr, kValue, 'p', "getRestoreTaskId"},
    {"cn", kValue, 'c', "getClientMachine"},
    {"vm", kValue, 'v', "getVirtualMachine"},
    {"VM", kValue, 'V', "getVirtualMachine"},
    {"jt", kValue, 's', "getJobToken"},
    {"phase", kValue, 'h', ""},  // kept, but no accessor shows it
    {"maHostName", kValue, 'm', "getMaHostName"},
    {"rbs", kValue, 'R', "isRBSJob"},  // the value is never read
    {"dctm", kNoValue, 'U', "isDctmJob, isRBSJob"},
};

constexpr XelOptionsParser::Vocabulary kVocabulary = {
    "j:J:a:p:", kOptions, static_cast<int>(std::size(kOptions))};

}  // namespace

namespace detail = xelopts::detail;

RestoreOptionsParser::RestoreOptionsParser(int argc, char** argv) {
  initMembers();
  initializeParser(argc, argv);
  parse(argc, argv);
}

RestoreOptionsParser::~RestoreOptionsParser() = default;

const XelOptionsParser::Vocabulary& RestoreOptionsParser::vocabulary() {
  return kVocabulary;
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
  detail::installScanner(scanner_, argc, argv, kVocabulary);
}

void RestoreOptionsParser::parse(int /*argc*/, char** /*argv*/) {
  detail::parseWith(
      scanner_,
      {jobId_, applicationNumber_, quorvelId_, virtualMachine_, jobToken_,
       clientMachine_, restoreTaskId_, backupPhase_, nullptr, nullptr},
      *this, [](XelOptionsParser& parser, int code, const char* text) {
        static_cast<RestoreOptionsParser&>(parser).applyOption(code, text);
      });
}

// The codes of this parser alone; the scanner has already reported the
// error codes that fall through.
void RestoreOptionsParser::applyOption(int code, const char* text) {
  switch (code) {
    case 'm':
      maHostName_ = text;
      break;
    case 'R':
      rbsJob_ = true;
      break;
    case 'U':
      dctmJob_ = true;
      rbsJob_ = true;  // a dctm job is always an RBS job
      break;
    default:
      break;
  }
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
