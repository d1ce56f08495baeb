#include "JobFields.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace xelopts::detail {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the head of text as strtoul reads them, base 10: false when
// they overflow. Texts that start with white space or a sign take the
// library's own path (its white space follows the locale).
bool readDigits(const char* text, std::uint64_t& value) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  value = 0;
  for (; isDigit(*text); ++text) {
    const auto digit = static_cast<std::uint64_t>(*text - '0');
    if (value > (kMax - digit) / 10) {
      return false;
    }
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace

std::int32_t jobIdFromText(const char* text) {
  constexpr long kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr long kHighest = std::numeric_limits<std::int32_t>::max();
  long value = kHighest;
  std::uint64_t digits = 0;
  if (isDigit(text[0])) {
    if (readDigits(text, digits) && digits < static_cast<std::uint64_t>(kHighest)) {
      value = static_cast<long>(digits);
    }
  } else {
    // strtol reads exactly what atoi reads and saturates at its own 64-bit
    // range, so clamping its result is defined for every text.
    value = std::strtol(text, nullptr, 10);
  }
  return static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest));
}

std::uint64_t numberFromText(const char* text) {
  std::uint64_t value = 0;
  if (!isDigit(text[0])) {
    return std::strtoul(text, nullptr, 10);
  }
  // Past the range, strtoul gives the largest value.
  return readDigits(text, value) ? value
                                 : std::numeric_limits<std::uint64_t>::max();
}

void setJobId(std::int64_t& jobId, Text text) {
  if (text.size != 0) {
    jobId = jobIdFromText(text.chars);
  }
}

void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, Text text) {
  const auto* colon =
      static_cast<const char*>(std::memchr(text.chars, ':', text.size));
  if (colon == nullptr || colon + 1 == text.chars + text.size) {
    return;
  }
  applicationNumber = numberFromText(colon + 1);
  // No digit sequence runs across the colon, so reading from the start of
  // the text reads the left part alone.
  quorvelId = numberFromText(text.chars);
}

void setVirtualMachine(std::string& virtualMachine, Text text) {
  if (text.size != 0) {
    virtualMachine.assign(text.chars, text.size);
  }
}

void setText(std::string& field, Text text) {
  field.assign(text.chars, text.size);
}

void appendRestart(std::string& fullRestart, Text text) {
  if (text.size != 0) {
    // Entries run on without a separator: "-o 5-o 7".
    fullRestart.append("-o ").append(text.chars, text.size);
  }
}

void keepSmallestRestart(std::string& restart, Text text) {
  // A tie keeps the first.
  if (text.size != 0 && (restart.empty() || numberFromText(text.chars) <
                                                numberFromText(restart.c_str()))) {
    restart.assign(text.chars, text.size);
  }
}

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

}  // namespace xelopts::detail
