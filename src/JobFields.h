// SPDX-License-Identifier: MIT
// The job fields that every parser declares for itself, the one set of
// rules by which they are written (and by which a report tells what each
// option did), and the codes every parser shares.
#ifndef XELOPTS_SRC_JOBFIELDS_H
#define XELOPTS_SRC_JOBFIELDS_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "XelOptionsParser.h"

namespace xelopts::detail {

constexpr std::int64_t kDefaultJobId = 0;
constexpr std::uint64_t kDefaultApplicationNumber = 0;
constexpr std::uint64_t kDefaultQuorvelId = 2;
constexpr std::uint64_t kDefaultNumber = 0;

using Rule = XelOptionsParser::Rule;

// What applying one option did to the record. The rules work it out only
// when a report asks: without one they get a null Effect*.
struct Effect {
  bool changed = true;
  Rule rule = Rule::none;
  unsigned conversions = 0;  // XelOptionsParser::Conversion bits
};

inline void noteChange(Effect* effect, bool changed) {
  if (effect != nullptr) {
    effect->changed = changed;
    effect->rule = changed ? Rule::none : Rule::sameValue;
  }
}

inline void noteUnchanged(Effect* effect, Rule rule, unsigned conversions = 0) {
  if (effect != nullptr) {
    effect->changed = false;
    effect->rule = rule;
    effect->conversions |= conversions;
  }
}

// An option's value as the setter rules take it: a NUL-terminated text and
// its size, from a parser's setter (a string) or from the scanner.
struct Text {
  Text(const std::string& string)  // NOLINT: both kinds of caller convert
      : chars(string.c_str()), size(string.size()) {}
  Text(const char* text)  // NOLINT
      : chars(text), size(std::strlen(text)) {}
  const char* chars;
  std::size_t size;
};

// Reads a job id as atoi does (leading white space, a sign, the digits up to
// the first other character, 0 without digits), but clamped to the 32-bit
// range where atoi has no defined result.
std::int32_t jobIdFromText(Text text, Effect* effect = nullptr);

// strtoul, base 10, unchecked: a leading '-' wraps around, a number out of
// range gives the largest value, no digits give 0. The number is to end at
// end (null: at the text's NUL), or else text follows it.
std::uint64_t numberFromText(const char* text, const char* end,
                             Effect* effect = nullptr);

// An empty text leaves the job id as it is.
void setJobId(std::int64_t& jobId, Text text, Effect* effect = nullptr);

// "QUORVEL:APPLICATION": both are written only when the text has a colon
// with something after it.
void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, Text text,
                          Effect* effect = nullptr);

// An empty text keeps the name already there.
void setVirtualMachine(std::string& virtualMachine, Text text,
                       Effect* effect = nullptr);

// Client machine, job token, media agent, phase: the text replaces the
// field, an empty text clearing it.
void setText(std::string& field, Text text, Effect* effect = nullptr);

// Restore task id, backup type, stream count: from the scanner only.
void setNumber(std::uint64_t& field, const char* text, Effect* effect);

// Flags are only ever set; an option may set two.
inline void setFlags(bool& flag, bool& also, Effect* effect) {
  noteChange(effect, !flag || !also);
  flag = true;
  also = true;
}

// A backup job's restart entries run on: kRestartEntry and the text are
// appended, unless the text is empty.
constexpr char kRestartEntry[] = "-o ";
void appendRestart(std::string& fullRestart, Text text,
                   Effect* effect = nullptr);

// A scan job keeps the first of the numerically smallest restart texts
// (strtoul decides, the whole text is kept); an empty text changes nothing.
void keepSmallestRestart(std::string& restart, Text text,
                         Effect* effect = nullptr);

// A parser's own fields that the codes shared by every parser write. The
// restore parser has no media agent and no backup type: null there; and no
// accessor shows its phase.
struct SharedFields {
  std::int64_t& jobId;
  std::uint64_t& applicationNumber;
  std::uint64_t& quorvelId;
  std::string& virtualMachine;
  std::string& jobToken;
  std::string& clientMachine;
  std::uint64_t& restoreTaskId;
  std::string& backupPhase;
  std::string* mediaAgent;
  std::uint64_t* backupType;
  bool phaseShown;
};

// Applies a code whose action is the same in every parser ('j', 'J', 'a',
// 'p', 'c', 'v', 'V', 's', 'h', and 'd', 't' where the field exists);
// false for any other code, which is the parser's own.
bool applySharedOption(int code, const char* text, const SharedFields& fields,
                       Effect* effect);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBFIELDS_H
