// SPDX-License-Identifier: MIT
// The rules by which an option's value writes a field of a job's record,
// and what each one did, for the parse report.
#ifndef XELOPTS_SRC_FIELDRULES_H
#define XELOPTS_SRC_FIELDRULES_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "xelopts/XelOptionsParser.h"

namespace xelopts::detail {

// How the options of a field write it.
enum class FieldRule : unsigned char {
  text,               // the value; an empty one clears the field
  name,               // the value; an empty one keeps the name there
  number,             // strtoul, base 10
  jobId,              // atoi, clamped to 32 bits; an empty value keeps it
  applicationNumber,  // "QUORVEL:APPLICATION": the number after the colon
  quorvelId,          // and the one before it; both or neither are written
  flag,               // set, never cleared
  appendRestart,      // "-o " and the value appended: "-o 5-o 7"
  smallestRestart,    // the first value of the smallest number kept
  apart,              // kept apart, where no accessor reads it
};

using Rule = XelOptionsParser::Rule;

// What applying one option did to the record. The rules work it out only
// when a report asks: without one they get a null Effect*. An option that
// writes two fields notes both: it changed the record when either changed.
struct Effect {
  bool changed = false;
  Rule rule = Rule::none;  // why not, from the first field that says
  // XelOptionsParser::Conversion bits of each field written, in the
  // record's order: an option writes two at most.
  std::array<unsigned, 2> conversions = {};
  std::size_t field = 0;  // the one being written

  void convert(unsigned bits) { conversions[field] |= bits; }
  // The same effect, its conversions from now on the second field's.
  Effect& next() {
    field = 1;
    return *this;
  }
};

inline void noteUnchanged(Effect* effect, Rule rule, unsigned conversions = 0) {
  if (effect != nullptr) {
    effect->rule = effect->rule == Rule::none ? rule : effect->rule;
    effect->convert(conversions);
  }
}

inline void noteChange(Effect* effect, bool changed) {
  if (effect != nullptr && changed) {
    effect->changed = true;
  } else {
    noteUnchanged(effect, Rule::sameValue);
  }
}

// An option's value as the rules take it: a NUL-terminated text, from a
// parser's setter (a string, whose size counts) or from the scanner (null
// for an option that takes none). Only the rules that need its size
// measure it.
class Text {
 public:
  Text(const std::string& string)  // NOLINT: both kinds of caller convert
      : chars(string.c_str()), size_(string.size()) {}
  Text(const char* text) : chars(text) {}  // NOLINT

  bool empty() const { return size_ != kUnknown ? size_ == 0 : *chars == 0; }
  // The first c, or null; the end, or null for the text's NUL.
  const char* find(char c) const {
    return static_cast<const char*>(size_ != kUnknown
                                        ? std::memchr(chars, c, size_)
                                        : std::strchr(chars, c));
  }
  const char* end() const {
    return size_ != kUnknown ? chars + size_ : nullptr;
  }
  std::size_t size() const {
    return size_ != kUnknown ? size_ : std::strlen(chars);
  }

  const char* chars;

 private:
  static constexpr std::size_t kUnknown = ~std::size_t{0};
  std::size_t size_ = kUnknown;
};

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the head of text, base 10, as far as they go (stop is past
// them); past the range, the largest value.
inline std::uint64_t readDigits(const char* text, const char*& stop,
                                bool& overflow) {
  std::uint64_t value = 0;
  // Nineteen digits cannot overflow: only those after them are checked (22
  // instructions of a backup parse, 33 of a scan parse).
  for (int safe = 19; safe > 0 && isDigit(*text); --safe, ++text) {
    value = value * 10 + static_cast<std::uint64_t>(*text - '0');
  }
  for (; isDigit(*text); ++text) {
    const auto digit = static_cast<std::uint64_t>(*text - '0');
    overflow = __builtin_mul_overflow(value, 10U, &value) ||
               __builtin_add_overflow(value, digit, &value) || overflow;
  }
  stop = text;
  return overflow ? ~std::uint64_t{0} : value;
}

// A text that does not begin with a digit, read by the C library: strtol
// and strtoul.
long jobIdByLibrary(const char* text, const char*& stop);
std::uint64_t numberByLibrary(const char* text, const char*& stop,
                              bool& overflow);

// How a read of the text up to end (null: its NUL), which stopped at stop,
// differs from the text as written (Conversion bits); signed: a '-' is part
// of the number, which else wraps (or, before 0, is a sign only; out of
// range, the number saturates instead).
unsigned conversionsOf(const char* text, const char* end, const char* stop,
                       bool overflow, bool isSigned, bool isZero);

// strtoul, base 10, unchecked: a leading '-' wraps around, a number out of
// range gives the largest value, no digits give 0. The number is to end at
// end (null: at the text's NUL), or else text follows it.
inline std::uint64_t numberFromText(const char* text, const char* end,
                                    Effect* effect = nullptr) {
  const char* stop = text;
  bool overflow = false;
  const std::uint64_t value = isDigit(*text)
                                  ? readDigits(text, stop, overflow)
                                  : numberByLibrary(text, stop, overflow);
  if (effect != nullptr) {
    effect->convert(
        conversionsOf(text, end, stop, overflow, false, value == 0));
  }
  return value;
}

// The rules, inline: each kind's dispatch takes them in whole. An option of
// a rule that ignoresEmpty changes nothing with an empty value: the caller
// notes the emptyText rule instead.

constexpr bool ignoresEmpty(FieldRule rule) {
  return rule != FieldRule::text && rule != FieldRule::number &&
         rule != FieldRule::flag && rule != FieldRule::apart;
}

// No value overlaps its own field (no caller can reach one), so the field
// is cleared and appended to, without assign's test for an overlap (67
// instructions of a backup parse).
inline void replaceText(std::string& field, const char* chars,
                        std::size_t size) {
  field.clear();
  field.append(chars, size);
}

inline void setText(std::string& field, Text text, Effect* effect) {
  const std::size_t size = text.size();
  if (effect != nullptr) {
    noteChange(effect, field.compare(0, field.size(), text.chars, size) != 0);
  }
  replaceText(field, text.chars, size);
}

inline void setNumber(std::uint64_t& field, Text text, Effect* effect) {
  const std::uint64_t value = numberFromText(text.chars, nullptr, effect);
  noteChange(effect, value != field);
  field = value;
}

// As atoi reads it (leading white space, a sign, the digits up to the first
// other character, 0 without digits), but clamped to the 32-bit range where
// atoi has no defined result.
inline void setJobId(std::int64_t& jobId, Text text, Effect* effect) {
  constexpr long kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr long kHighest = std::numeric_limits<std::int32_t>::max();
  const char* stop = text.chars;
  bool overflow = false;
  const long value =
      isDigit(*text.chars)
          ? static_cast<long>(std::min<std::uint64_t>(
                readDigits(text.chars, stop, overflow), kHighest + 1UL))
          : jobIdByLibrary(text.chars, stop);
  const long clamped = std::clamp(value, kLowest, kHighest);
  if (effect != nullptr) {
    effect->convert(
        conversionsOf(text.chars, text.chars + text.size(), stop, false, true,
                      value == 0) |
        (clamped != value ? XelOptionsParser::Conversion::jobIdClamped : 0U));
  }
  noteChange(effect, clamped != jobId);
  jobId = clamped;
}

// "QUORVEL:APPLICATION", both parts read in one pass and written only when
// the text has a colon with something after it; the application number is
// the first of the two fields.
inline void setApplication(std::uint64_t& application, std::uint64_t& quorvel,
                           Text text, Effect* effect) {
  if (text.empty()) {
    return noteUnchanged(effect, Rule::emptyText);
  }
  const char* colon = text.find(':');
  const char* end = text.end();
  if (colon == nullptr || (end != nullptr ? colon + 1 == end : !colon[1])) {
    using Conversion = XelOptionsParser::Conversion;
    const unsigned why =
        colon == nullptr ? Conversion::noColon : Conversion::nothingAfterColon;
    noteUnchanged(effect, Rule::notRead, why);
    if (effect != nullptr) {
      noteUnchanged(&effect->next(), Rule::notRead, why);
    }
    return;
  }
  const std::uint64_t after = numberFromText(colon + 1, end, effect);
  noteChange(effect, after != application);
  application = after;
  // No digit sequence runs across the colon, so reading from the start of
  // the text reads the left part alone.
  const std::uint64_t before = numberFromText(
      text.chars, colon, effect != nullptr ? &effect->next() : nullptr);
  noteChange(effect, before != quorvel);
  quorvel = before;
}

// A backup job's restart entries run on without a separator: "-o 5-o 7".
constexpr char kRestartEntry[] = "-o ";
inline void appendRestart(std::string& fullRestart, Text text, Effect* effect) {
  fullRestart.append(kRestartEntry).append(text.chars, text.size());
  noteChange(effect, true);
}

// A scan job keeps the first of the numerically smallest restart texts
// (strtoul decides, the whole text is kept); a tie keeps the first. The
// text is kept as written, so its reading notes no conversion.
inline void keepSmallestRestart(std::string& restart, Text text,
                                Effect* effect) {
  if (restart.empty() || numberFromText(text.chars, nullptr) <
                             numberFromText(restart.c_str(), nullptr)) {
    replaceText(restart, text.chars, text.size());
    noteChange(effect, true);
  } else {
    noteUnchanged(effect, Rule::notSmaller);
  }
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_FIELDRULES_H
