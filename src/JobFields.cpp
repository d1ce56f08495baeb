#include "JobFields.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "ScannerCore.h"

namespace xelopts::detail {

std::int32_t jobIdFromText(const char* text) {
  // strtol reads exactly what atoi reads and saturates at its own 64-bit
  // range, so clamping its result is defined for every text.
  const long value = std::strtol(text, nullptr, 10);
  constexpr long kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr long kHighest = std::numeric_limits<std::int32_t>::max();
  if (value < kLowest) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value > kHighest) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

std::uint64_t numberFromText(const char* text) {
  return std::strtoul(text, nullptr, 10);
}

void setJobId(std::int64_t& jobId, const char* text, std::size_t size) {
  if (size != 0) {
    jobId = jobIdFromText(text);
  }
}

void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, const char* text,
                          std::size_t size) {
  const auto* colon = static_cast<const char*>(std::memchr(text, ':', size));
  if (colon == nullptr || colon + 1 == text + size) {
    return;
  }
  applicationNumber = numberFromText(colon + 1);
  // No digit sequence runs across the colon, so reading from the start of
  // the text reads the left part alone.
  quorvelId = numberFromText(text);
}

void setVirtualMachine(std::string& virtualMachine, const char* text,
                       std::size_t size) {
  if (size != 0) {
    virtualMachine.assign(text, size);
  }
}

void setText(std::string& field, const char* text, std::size_t size) {
  field.assign(text, size);
}

void setJobId(std::int64_t& jobId, const std::string& text) {
  setJobId(jobId, text.c_str(), text.size());
}

void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, const std::string& text) {
  setApplicationNumber(applicationNumber, quorvelId, text.c_str(), text.size());
}

void setVirtualMachine(std::string& virtualMachine, const std::string& text) {
  setVirtualMachine(virtualMachine, text.data(), text.size());
}

void setText(std::string& field, const std::string& text) {
  setText(field, text.data(), text.size());
}

bool applySharedOption(int code, const char* text, const SharedFields& fields) {
  switch (code) {
    case 'j':
    case 'J':
      setJobId(fields.jobId, text, std::strlen(text));
      return true;
    case 'a':
      setApplicationNumber(fields.applicationNumber, fields.quorvelId, text,
                           std::strlen(text));
      return true;
    case 'p':
      fields.restoreTaskId = numberFromText(text);
      return true;
    case 'c':
      setText(fields.clientMachine, text, std::strlen(text));
      return true;
    case 'v':
    case 'V':
      setVirtualMachine(fields.virtualMachine, text, std::strlen(text));
      return true;
    case 's':
      setText(fields.jobToken, text, std::strlen(text));
      return true;
    case 'h':
      fields.backupPhase = text;  // no emptiness test: an empty text clears
      return true;
    case 'd':
      if (fields.mediaAgent == nullptr) {
        return false;
      }
      setText(*fields.mediaAgent, text, std::strlen(text));
      return true;
    case 't':
      if (fields.backupType == nullptr) {
        return false;
      }
      *fields.backupType = numberFromText(text);
      return true;
    default:
      return false;
  }
}

namespace {

void apply(int code, const char* text, const SharedFields& fields,
           XelOptionsParser& parser, OwnOptionHandler own) {
  if (!applySharedOption(code, text, fields)) {
    own(parser, code, text);
  }
}

void collectDiagnostic(void* report, const char* line, std::size_t length) {
  static_cast<XelOptionsParser::ScanReport*>(report)->diagnostics.emplace_back(
      line, length);
}

void scanReporting(XelGetOpt& scanner, const SharedFields& fields,
                   XelOptionsParser& parser, OwnOptionHandler own,
                   XelOptionsParser::ScanReport& report) {
  for (int code = 0; code != -1;) {
    code = scanner();
    const char* text = scanner.optarg();
    if (code != -1) {
      apply(code, text, fields, parser, own);
    }
    const XelGetOpt::consumed_words words = scanner.consumed();
    XelOptionsParser::ScanStep& step = report.steps.emplace_back();
    step.code = code;
    if (text != nullptr) {
      step.argument = text;
    }
    step.words.assign(scanner.argv + words.first,
                      scanner.argv + words.first + words.count);
    step.firstWord = words.position;
    if (report.onStep != nullptr) {
      report.onStep(step, parser, report.context);
    }
  }
  const int end = ScannerCore::vectorEnd(scanner);
  if (scanner.optind < end) {
    report.remaining.assign(scanner.argv + scanner.optind, scanner.argv + end);
  }
}

void parseReporting(XelGetOpt& scanner, const SharedFields& fields,
                    XelOptionsParser& parser, OwnOptionHandler own,
                    XelOptionsParser::ScanReport& report) {
  clearReport(report);
  scanner.set_diagnostic_sink(&collectDiagnostic, &report);
  try {
    scanReporting(scanner, fields, parser, own, report);
  } catch (...) {
    // No half report is left behind: the exception is the outcome.
    scanner.set_diagnostic_sink(nullptr, nullptr);
    clearReport(report);
    throw;
  }
  scanner.set_diagnostic_sink(nullptr, nullptr);
}

}  // namespace

void parseWith(XelGetOpt& scanner, const SharedFields& fields,
               XelOptionsParser& parser, OwnOptionHandler own,
               XelOptionsParser::ScanReport* report) {
  if (report != nullptr) {
    parseReporting(scanner, fields, parser, own, *report);
    return;
  }
  for (int code; (code = scanner()) != -1;) {
    apply(code, scanner.optarg(), fields, parser, own);
  }
}

void clearReport(XelOptionsParser::ScanReport& report) {
  report.diagnostics.clear();
  report.steps.clear();
  report.remaining.clear();
}

}  // namespace xelopts::detail
