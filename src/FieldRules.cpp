// SPDX-License-Identifier: MIT
#include "FieldRules.h"

#include <cerrno>
#include <cstdlib>

namespace xelopts::detail {

using Conversion = XelOptionsParser::Conversion;

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

long jobIdByLibrary(const char* text, const char*& stop) {
  // strtol reads exactly what atoi reads and saturates at its own 64-bit
  // range, so clamping its result is defined for every text.
  char* after = nullptr;
  const long value = std::strtol(text, &after, 10);
  stop = after;
  return value;
}

std::uint64_t numberByLibrary(const char* text, const char*& stop,
                              bool& overflow) {
  // White space and signs are left to the library (its white space
  // follows the locale).
  char* after = nullptr;
  errno = 0;
  const std::uint64_t value = std::strtoul(text, &after, 10);
  stop = after;
  overflow = errno == ERANGE;
  return value;
}

}  // namespace xelopts::detail
