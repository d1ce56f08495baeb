// SPDX-License-Identifier: MIT
// A kind's canonical command line, written from its settings: each option
// at most once, in the order of the field that owns it, spelled as the
// vocabulary first lists it. Made at compile time from the declaration, it
// looks the fields' relations up instead of working them out (a loop over
// the fields with a switch on the rule cost 1,000 instructions a write).
#ifndef XELOPTS_SRC_JOBCOMMANDLINE_H
#define XELOPTS_SRC_JOBCOMMANDLINE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "CommandLineWriter.h"
#include "JobDeclaration.h"

namespace xelopts::detail {

// The option a field's plan writes, as a command line spells it.
template <const auto& kind>
constexpr CommandLineWriter::Option optionOf(const WritePlan& plan) {
  return {kind.wordOf(plan),
          kind.spellingOf(plan).kind != XelGetOpt::no_argument};
}

// Field index holds a value other than its default.
template <const auto& kind, std::size_t index, class Settings>
bool isSet(const Settings& s, const Settings& initial) {
  constexpr const auto& f = std::get<index>(kind.fields);
  return s.*f.pointer != initial.*f.pointer;
}

// Writes field index's option and its value.
template <const auto& kind, std::size_t index, class Value, class Settings>
void writeValue(CommandLineWriter& line,
                const CommandLineWriter::Option& option, const Value& value,
                const Settings& s) {
  constexpr const auto& f = std::get<index>(kind.fields);
  constexpr WritePlan plan = kind.planOf(index);
  using Unwritable = XelOptionsParser::Unwritable;
  if constexpr (f.rule == FieldRule::appendRestart) {
    // Any run of entries is one entry: "-o 5-o 7" is -o "5-o 7".
    const std::size_t entry = sizeof kRestartEntry - 1;
    if (value.size() > entry && value.compare(0, entry, kRestartEntry) == 0) {
      line.text(option, f.accessor, value, entry);
    } else {
      line.refuse(f.accessor, Unwritable::restartNotEntries);
    }
  } else if constexpr (std::is_same_v<Value, std::string>) {
    line.text(option, f.accessor, value);
  } else if constexpr (f.rule == FieldRule::number) {
    line.number(option, value);
  } else if constexpr (f.rule == FieldRule::jobId) {
    // Read back as a signed 32-bit number.
    if (static_cast<std::int32_t>(value) == value) {
      line.number(option, value);
    } else {
      line.refuse(f.accessor, Unwritable::jobIdOutOf32Bits);
    }
  } else if constexpr (f.rule == FieldRule::applicationNumber) {
    // QUORVEL:APPLICATION, the partner's part first.
    const auto& quorvel = s.*std::get<plan.partner>(kind.fields).pointer;
    line.numbers(option, quorvel, value);
  } else if constexpr (plan.role == Role::setsPartner) {
    // Its option sets the partner too: both set, or no command line.
    if (s.*std::get<plan.partner>(kind.fields).pointer) {
      line.option(option);
    } else {
      line.refuse(f.accessor, Unwritable::flagWithoutItsPair);
    }
  } else {
    line.option(option);
  }
}

// Writes the option that field index owns, when the settings need it, as
// its plan says.
template <const auto& kind, std::size_t index, class Settings>
void writeOption(CommandLineWriter& line, const Settings& s,
                 const Settings& initial) {
  constexpr WritePlan plan = kind.planOf(index);
  if constexpr (plan.role != Role::none) {
    constexpr const auto& f = std::get<index>(kind.fields);
    constexpr CommandLineWriter::Option option = optionOf<kind>(plan);
    bool needed = isSet<kind, index>(s, initial);
    if constexpr (plan.role == Role::withPart) {
      needed = needed || isSet<kind, plan.partner>(s, initial);
    } else if constexpr (plan.role == Role::setByPartner) {
      needed = needed && !isSet<kind, plan.partner>(s, initial);
    }
    if (needed) {
      writeValue<kind, index>(line, option, s.*f.pointer, s);
    }
  }
}

// The most words the kind's settings write: an option a field, and its
// value.
template <const auto& kind>
constexpr std::size_t mostWords() {
  std::size_t words = 0;
  for (std::size_t i = 0; i < kind.shown(); ++i) {
    const WritePlan plan = kind.planOf(i);
    if (plan.role != Role::none) {
      words += optionOf<kind>(plan).takesValue ? 2U : 1U;
    }
  }
  return words;
}

template <const auto& kind, class Settings>
XelOptionsParser::CommandLine writeCommandLine(const Settings& settings) {
  static const Settings initial{};
  constexpr std::size_t words = mostWords<kind>();
  CommandLineWriter line(words);
  forIndexes<kind.shown()>(
      [&](auto i) { writeOption<kind, i>(line, settings, initial); });
  return line.finish();
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBCOMMANDLINE_H
