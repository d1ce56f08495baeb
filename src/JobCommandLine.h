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

// Field index holds a value other than its default.
template <const auto& kind, std::size_t index, class Settings>
bool isSet(const Settings& s, const Settings& initial) {
  constexpr const auto& f = std::get<index>(kind.fields);
  return s.*f.pointer != initial.*f.pointer;
}

// Writes the option that field index owns, when the settings need it: when
// the field, or the field that takes part of its option's value, holds no
// default, and no option that also sets the field is written.
template <const auto& kind, std::size_t index, class Settings>
void writeOption(CommandLineWriter& line, const Settings& s,
                 const Settings& initial) {
  constexpr const auto& f = std::get<index>(kind.fields);
  if constexpr (f.accessor != nullptr && f.writers.own != 0) {
    constexpr const auto& option = kind.option(f.writers.own);
    constexpr auto part = kind.partOf(f.writers.own);
    constexpr auto setter = kind.ownerOf(f.writers.alsoSetByCode);
    constexpr auto alsoSets = kind.alsoSetBy(f.writers.own);
    using Unwritable = XelOptionsParser::Unwritable;
    bool needed = isSet<kind, index>(s, initial);
    if constexpr (part) {
      needed = needed || isSet<kind, *part>(s, initial);
    }
    if constexpr (setter) {
      needed = needed && !isSet<kind, *setter>(s, initial);
    }
    if (!needed) {
      return;
    }
    const auto& value = s.*f.pointer;
    if constexpr (f.rule == FieldRule::appendRestart) {
      // Any run of entries is one entry: "-o 5-o 7" is -o "5-o 7".
      const std::size_t entry = sizeof kRestartEntry - 1;
      if (value.size() > entry && value.compare(0, entry, kRestartEntry) == 0) {
        line.text(option, f.accessor, value, entry);
      } else {
        line.refuse(f.accessor, Unwritable::restartNotEntries);
      }
    } else if constexpr (std::is_same_v<decltype(value), const std::string&>) {
      line.text(option, f.accessor, value);
    } else if constexpr (f.rule == FieldRule::number) {
      line.option(option, std::to_string(value));
    } else if constexpr (f.rule == FieldRule::jobId) {
      // Read back as a signed 32-bit number.
      if (static_cast<std::int32_t>(value) == value) {
        line.option(option, std::to_string(value));
      } else {
        line.refuse(f.accessor, Unwritable::jobIdOutOf32Bits);
      }
    } else if constexpr (f.rule == FieldRule::applicationNumber) {
      // QUORVEL:APPLICATION, the part before the colon first.
      constexpr const auto& quorvel = std::get<*part>(kind.fields);
      line.option(option, std::to_string(s.*quorvel.pointer) + ':' +
                              std::to_string(value));
    } else if constexpr (alsoSets) {
      // Its option sets the other flag too: both set, or no command line.
      if (s.*std::get<*alsoSets>(kind.fields).pointer) {
        line.option(option);
      } else {
        line.refuse(f.accessor, Unwritable::flagWithoutItsPair);
      }
    } else {
      line.option(option);
    }
  }
}

template <const auto& kind, class Settings>
XelOptionsParser::CommandLine writeCommandLine(const Settings& settings) {
  static const Settings initial{};
  CommandLineWriter line(kind.shown());
  forIndexes<kind.shown()>(
      [&](auto i) { writeOption<kind, i>(line, settings, initial); });
  return line.finish();
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBCOMMANDLINE_H
