#include "BackupOptionsParser.h"

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
    {nullptr, kValue, 't', "getBackupType"},
    {nullptr, kValue, 'o', "getFullRestartString"},
    {"cn", kValue, 'c', "getClientMachine"},
    {"vm", kValue, 'v', "getVirtualMachine"},
    {"VM", kValue, 'V', "getVirtualMachine"},
    {"jt", kValue, 's', "getJobToken"},
    {"data", kNoValue, 'F', "isDOption"},
    {"logs", kNoValue, 'l', "isLOption"},
    {"differential", kNoValue, 'i', "isIOption"},
    {"phase", kValue, 'h', "getBackupPhase"},
    {"restart", kValue, 'r', "getFullRestartString"},
    {"d", kValue, 'd', "getMediaAgent"},
    {"skipconversionrules", kNoValue, 'S',
     "isSkipConversion, isIntegrityCheck"},
    {"integcheck", kNoValue, 'B', "isIntegrityCheck"},
    {"rbs", kNoValue, 'R', "isRBSJob"},
    {"numstreams", kValue, 'N', "getNumStreamsForRBS"},
    {"alwayson", kNoValue, 'A', "isAlwaysONJob"},
    {"dctm", kNoValue, 'U', "isDctmJob, isRBSJob"},
    {"TLToSnap", kNoValue, 'T', "isTLToSnapJob"},
};

constexpr XelOptionsParser::Vocabulary kVocabulary = {
    "j:J:a:p:t:o:", kOptions, static_cast<int>(std::size(kOptions))};

}  // namespace

namespace detail = xelopts::detail;

BackupOptionsParser::BackupOptionsParser(int argc, char** argv) {
  initMembers();
  initializeParser(argc, argv);
  parse(argc, argv);
}

BackupOptionsParser::~BackupOptionsParser() = default;

const XelOptionsParser::Vocabulary& BackupOptionsParser::vocabulary() {
  return kVocabulary;
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
  detail::installScanner(scanner_, argc, argv, kVocabulary);
}

void BackupOptionsParser::parse(int /*argc*/, char** /*argv*/) {
  detail::parseWith(
      scanner_,
      {jobId_, applicationNumber_, quorvelId_, virtualMachine_, jobToken_,
       clientMachine_, restoreTaskId_, backupPhase_, &mediaAgent_,
       &backupType_},
      *this, [](XelOptionsParser& parser, int code, const char* text) {
        static_cast<BackupOptionsParser&>(parser).applyOption(code, text);
      });
}

// The codes of this parser alone; the scanner has already reported the
// error codes that fall through.
void BackupOptionsParser::applyOption(int code, const char* text) {
  switch (code) {
    case 'o':
    case 'r':
      setRestartString(text);
      break;
    case 'F':
      dOption_ = true;
      break;
    case 'l':
      lOption_ = true;
      break;
    case 'i':
      iOption_ = true;
      break;
    case 'S':
      skipConversion_ = true;
      integrityCheck_ = true;
      break;
    case 'B':
      integrityCheck_ = true;
      break;
    case 'R':
      rbsJob_ = true;
      break;
    case 'N':
      numStreamsForRBS_ = detail::numberFromText(text);
      break;
    case 'A':
      alwaysONJob_ = true;
      break;
    case 'U':
      dctmJob_ = true;
      rbsJob_ = true;  // a dctm job is always an RBS job
      break;
    case 'T':
      tlToSnapJob_ = true;
      break;
    default:
      break;
  }
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
  if (!text.empty()) {
    // Entries run on without a separator: "-o 5-o 7".
    fullRestartString_ += "-o ";
    fullRestartString_ += text;
  }
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
