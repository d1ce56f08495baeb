// SPDX-License-Identifier: MIT
// A kind's settings read and compared field by field, made from its
// declaration: each field's value, the kind's public field table,
// initMembers' reset, Settings' comparison and description.
#ifndef XELOPTS_SRC_JOBSETTINGS_H
#define XELOPTS_SRC_JOBSETTINGS_H

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "JobDeclaration.h"

namespace xelopts::detail {

using FieldValue = XelOptionsParser::FieldValue;

// The value of a field, by its index among those an accessor shows.
template <const auto& kind, class Settings>
FieldValue fieldValue(const Settings& settings, int field) {
  if (field < 0 || field >= static_cast<int>(kind.shown())) {
    throw std::out_of_range("no field " + std::to_string(field));
  }
  FieldValue value;
  forIndexes<kind.shown()>([&](auto i) {
    if (i == static_cast<std::size_t>(field)) {
      const auto& member = settings.*std::get<i>(kind.fields).pointer;
      using Member = std::decay_t<decltype(member)>;
      using View = std::conditional_t<std::is_same_v<Member, std::string>,
                                      std::string_view, Member>;
      value.template emplace<View>(member);
    }
  });
  return value;
}

// The kind's public table, made on first use: its defaults are read from
// default-constructed settings, which live as long as the table.
template <const auto& kind>
const XelOptionsParser::FieldTable& fieldsOf() {
  using Settings = typename std::decay_t<decltype(kind)>::Settings;
  static const Settings defaults{};
  static const auto specs = [] {
    std::array<XelOptionsParser::FieldSpec, kind.shown()> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldRow& row = kind.row(i);
      const FieldValue initial =
          fieldValue<kind>(defaults, static_cast<int>(i));
      fields[i] = {row.accessor,
                   row.member,
                   static_cast<XelOptionsParser::FieldType>(initial.index()),
                   initial,
                   kind.optionsOf(i).indexes,
                   kind.optionsOf(i).count,
                   row.rule == FieldRule::appendRestart,
                   row.meaning};
    }
    return fields;
  }();
  static const XelOptionsParser::FieldTable table{
      specs.data(), static_cast<int>(specs.size())};
  return table;
}

// What initMembers resets: the numbers and flags, and a scan job's
// restart text, which a parse compares its values against; not the other
// texts.
template <const auto& kind, class Settings>
void resetNumbersAndFlags(Settings& settings) {
  forIndexes<kind.shown()>([&](auto i) {
    constexpr auto member = std::get<i>(kind.fields).pointer;
    if constexpr (std::get<i>(kind.fields).rule == FieldRule::smallestRestart) {
      (settings.*member).clear();
    } else if constexpr (!std::is_same_v<decltype(settings.*member),
                                         std::string&>) {
      settings.*member = Settings{}.*member;
    }
  });
}

template <const auto& kind, class Settings>
bool equal(const Settings& a, const Settings& b) {
  for (int i = 0; i < static_cast<int>(kind.shown()); ++i) {
    if (fieldValue<kind>(a, i) != fieldValue<kind>(b, i)) {
      return false;
    }
  }
  return true;
}

// Every member as name=value; a text quoted, with a quote, a backslash and
// any byte outside printable ASCII escaped (\", \\, \xHH), so that every
// byte shows.
template <const auto& kind, class Settings>
std::string describe(const Settings& settings) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < static_cast<int>(kind.shown()); ++i) {
    text.append(i == 0 ? "" : " ")
        .append(kind.row(static_cast<std::size_t>(i)).member)
        .append("=");
    std::visit(
        [&text](auto held) {
          using Held = decltype(held);
          if constexpr (std::is_same_v<Held, std::string_view>) {
            text += '"';
            for (const char c : held) {
              const auto byte = static_cast<unsigned char>(c);
              if (byte < 0x20 || byte > 0x7E) {
                text.append("\\x").append(1, kHex[byte >> 4]);
                text.append(1, kHex[byte & 0xF]);
              } else {
                text.append(c == '"' || c == '\\' ? "\\" : "").append(1, c);
              }
            }
            text += '"';
          } else if constexpr (std::is_same_v<Held, bool>) {
            text += held ? "true" : "false";
          } else {
            text += std::to_string(held);
          }
        },
        fieldValue<kind>(settings, i));
  }
  return text;
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBSETTINGS_H
