#include "JobFields.h"

#include <cstdlib>
#include <limits>

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

void setJobId(std::int64_t& jobId, const std::string& text) {
  if (!text.empty()) {
    jobId = jobIdFromText(text.c_str());
  }
}

void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, const std::string& text) {
  const std::string::size_type colon = text.find(':');
  if (colon == std::string::npos || colon + 1 == text.size()) {
    return;
  }
  applicationNumber = numberFromText(text.c_str() + colon + 1);
  // No digit sequence runs across the colon, so reading from the start of
  // the text reads the left part alone.
  quorvelId = numberFromText(text.c_str());
}

void setVirtualMachine(std::string& virtualMachine, const std::string& text) {
  if (!text.empty()) {
    virtualMachine = text;
  }
}

void setText(std::string& field, const std::string& text) { field = text; }

bool applySharedOption(int code, const char* text, const SharedFields& fields) {
  switch (code) {
    case 'j':
    case 'J':
      setJobId(fields.jobId, text);
      return true;
    case 'a':
      setApplicationNumber(fields.applicationNumber, fields.quorvelId, text);
      return true;
    case 'p':
      fields.restoreTaskId = numberFromText(text);
      return true;
    case 'c':
      setText(fields.clientMachine, text);
      return true;
    case 'v':
    case 'V':
      setVirtualMachine(fields.virtualMachine, text);
      return true;
    case 's':
      setText(fields.jobToken, text);
      return true;
    case 'h':
      fields.backupPhase = text;  // no emptiness test: an empty text clears
      return true;
    case 'd':
      if (fields.mediaAgent == nullptr) {
        return false;
      }
      setText(*fields.mediaAgent, text);
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

void parseWith(XelGetOpt& scanner, const SharedFields& fields,
               XelOptionsParser& parser, OwnOptionHandler own) {
  for (int code; (code = scanner()) != -1;) {
    if (!applySharedOption(code, scanner.optarg(), fields)) {
      own(parser, code, scanner.optarg());
    }
  }
}

}  // namespace xelopts::detail
