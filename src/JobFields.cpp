// SPDX-License-Identifier: MIT
#include "JobFields.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace xelopts::detail {
namespace {

using Conversion = XelOptionsParser::Conversion;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the head of text, base 10, as far as they go (stop is past
// them); past the range, the largest value.
std::uint64_t readDigits(const char* text, const char*& stop, bool& overflow) {
  std::uint64_t value = 0;
  for (; isDigit(*text); ++text) {
    const auto digit = static_cast<std::uint64_t>(*text - '0');
    overflow = __builtin_mul_overflow(value, 10U, &value) ||
               __builtin_add_overflow(value, digit, &value) || overflow;
  }
  stop = text;
  return overflow ? std::numeric_limits<std::uint64_t>::max() : value;
}

// How a read of the text up to end (null: its NUL), which stopped at stop,
// differs from the text as written; signed: a '-' is part of the number,
// which else wraps (or, before 0, is a sign only; out of range, the number
// saturates instead).
unsigned conversionsOf(const char* text, const char* end, const char* stop,
                       bool overflow, bool isSigned, bool isZero) {
  if (stop == text) {
    return Conversion::noDigits;
  }
  unsigned conversions = 0;
  if (end != nullptr ? stop != end : *stop != '\0') {
    conversions |= Conversion::textAfterNumber;
  }
  if (overflow) {
    conversions |= Conversion::saturated;
  }
  // Before the digits: white space and a sign, as strtoul reads them.
  for (; !isDigit(*text); ++text) {
    if (*text != '-') {
      conversions |= Conversion::spaceOrSign;
    } else if (!isSigned && !overflow) {
      conversions |=
          isZero ? Conversion::spaceOrSign : Conversion::negativeWrapped;
    }
  }
  return conversions;
}

}  // namespace

std::int32_t jobIdFromText(Text text, Effect* effect) {
  constexpr long kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr long kHighest = std::numeric_limits<std::int32_t>::max();
  const char* stop = text.chars;
  bool overflow = false;
  long value = 0;
  if (isDigit(text.chars[0])) {
    value = static_cast<long>(std::min<std::uint64_t>(
        readDigits(text.chars, stop, overflow), kHighest + 1UL));
  } else {
    // strtol reads exactly what atoi reads and saturates at its own 64-bit
    // range, so clamping its result is defined for every text.
    char* after = nullptr;
    value = std::strtol(text.chars, &after, 10);
    stop = after;
  }
  const long clamped = std::clamp(value, kLowest, kHighest);
  if (effect != nullptr) {
    effect->conversions |= conversionsOf(text.chars, text.chars + text.size,
                                         stop, false, true, value == 0);
    if (clamped != value) {
      effect->conversions |= Conversion::jobIdClamped;
    }
  }
  return static_cast<std::int32_t>(clamped);
}

std::uint64_t numberFromText(const char* text, const char* end,
                             Effect* effect) {
  const char* stop = text;
  bool overflow = false;
  std::uint64_t value = 0;
  if (isDigit(text[0])) {
    value = readDigits(text, stop, overflow);
  } else {
    // White space and signs are left to the library (its white space
    // follows the locale).
    char* after = nullptr;
    errno = 0;
    value = std::strtoul(text, &after, 10);
    stop = after;
    overflow = errno == ERANGE;
  }
  if (effect != nullptr) {
    effect->conversions |=
        conversionsOf(text, end, stop, overflow, false, value == 0);
  }
  return value;
}

void setJobId(std::int64_t& jobId, Text text, Effect* effect) {
  if (text.size == 0) {
    noteUnchanged(effect, Rule::emptyText);
    return;
  }
  const std::int64_t value = jobIdFromText(text, effect);
  noteChange(effect, value != jobId);
  jobId = value;
}

void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, Text text, Effect* effect) {
  const char* end = text.chars + text.size;
  const auto* colon =
      static_cast<const char*>(std::memchr(text.chars, ':', text.size));
  if (colon == nullptr || colon + 1 == end) {
    if (text.size == 0) {
      noteUnchanged(effect, Rule::emptyText);
    } else {
      noteUnchanged(effect, Rule::notRead,
                    colon == nullptr ? Conversion::noColon
                                     : Conversion::nothingAfterColon);
    }
    return;
  }
  const std::uint64_t application = numberFromText(colon + 1, end, effect);
  // No digit sequence runs across the colon, so reading from the start of
  // the text reads the left part alone.
  const std::uint64_t quorvel = numberFromText(text.chars, colon, effect);
  noteChange(effect, application != applicationNumber || quorvel != quorvelId);
  applicationNumber = application;
  quorvelId = quorvel;
}

void setVirtualMachine(std::string& virtualMachine, Text text, Effect* effect) {
  if (text.size == 0) {
    noteUnchanged(effect, Rule::emptyText);
    return;
  }
  setText(virtualMachine, text, effect);
}

void setText(std::string& field, Text text, Effect* effect) {
  if (effect != nullptr) {
    noteChange(effect,
               field.compare(0, field.size(), text.chars, text.size) != 0);
  }
  field.assign(text.chars, text.size);
}

void setNumber(std::uint64_t& field, const char* text, Effect* effect) {
  const std::uint64_t value = numberFromText(text, nullptr, effect);
  noteChange(effect, value != field);
  field = value;
}

void appendRestart(std::string& fullRestart, Text text, Effect* effect) {
  if (text.size == 0) {
    noteUnchanged(effect, Rule::emptyText);
    return;
  }
  // Entries run on without a separator: "-o 5-o 7".
  fullRestart.append(kRestartEntry).append(text.chars, text.size);
}

void keepSmallestRestart(std::string& restart, Text text, Effect* effect) {
  if (text.size == 0) {
    noteUnchanged(effect, Rule::emptyText);
  } else if (restart.empty() ||
             // Compared as numbers: how the text was read decides.
             numberFromText(text.chars, nullptr, effect) <
                 numberFromText(restart.c_str(), nullptr)) {
    restart.assign(text.chars, text.size);
  } else {
    noteUnchanged(effect, Rule::notSmaller);  // a tie keeps the first
  }
}

// Flattened: the rules inline here, their effects a test each.
__attribute__((flatten)) bool applySharedOption(int code, const char* text,
                                                const SharedFields& fields,
                                                Effect* effect) {
  switch (code) {
    case 'j':
    case 'J':
      setJobId(fields.jobId, text, effect);
      return true;
    case 'a':
      setApplicationNumber(fields.applicationNumber, fields.quorvelId, text,
                           effect);
      return true;
    case 'p':
      setNumber(fields.restoreTaskId, text, effect);
      return true;
    case 'c':
      setText(fields.clientMachine, text, effect);
      return true;
    case 'v':
    case 'V':
      setVirtualMachine(fields.virtualMachine, text, effect);
      return true;
    case 's':
      setText(fields.jobToken, text, effect);
      return true;
    case 'h':
      // Assigned as it is: an empty text clears it.
      setText(fields.backupPhase, text, fields.phaseShown ? effect : nullptr);
      if (!fields.phaseShown) {
        noteUnchanged(effect, Rule::notShown);
      }
      return true;
    case 'd':
      if (fields.mediaAgent == nullptr) {
        return false;
      }
      setText(*fields.mediaAgent, text, effect);
      return true;
    case 't':
      if (fields.backupType == nullptr) {
        return false;
      }
      setNumber(*fields.backupType, text, effect);
      return true;
    default:
      return false;
  }
}

}  // namespace xelopts::detail
