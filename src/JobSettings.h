// SPDX-License-Identifier: MIT
// A kind's settings read and compared field by field, made from its
// declaration: each field's value, the kind's public field table,
// initMembers' reset, Settings' comparison and description.
#ifndef XELOPTS_SRC_JOBSETTINGS_H
#define XELOPTS_SRC_JOBSETTINGS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "JobDeclaration.h"
#include "SettingsDescription.h"

namespace xelopts::detail {

using FieldValue = XelOptionsParser::FieldValue;

template <const auto& kind, std::size_t index, class Settings>
FieldValue readField(const Settings& settings) {
  const auto& value = settings.*std::get<index>(kind.fields).pointer;
  using Member = std::decay_t<decltype(value)>;
  using View = std::conditional_t<std::is_same_v<Member, std::string>,
                                  std::string_view, Member>;
  return FieldValue(std::in_place_type<View>, value);
}

template <const auto& kind, class Settings, std::size_t... index>
FieldValue fieldValue(const Settings& settings, int field,
                      std::index_sequence<index...>) {
  using Read = FieldValue (*)(const Settings&);
  static constexpr Read kReads[] = {&readField<kind, index, Settings>...};
  if (field < 0 || field >= static_cast<int>(sizeof...(index))) {
    throw std::out_of_range("no field " + std::to_string(field));
  }
  return kReads[field](settings);
}

// The value of a field, by its index among those an accessor shows.
template <const auto& kind, class Settings>
FieldValue fieldValue(const Settings& settings, int field) {
  return fieldValue<kind>(settings, field,
                          std::make_index_sequence<kind.shown()>());
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
      const auto& row = kind.row(i);
      const FieldValue initial =
          fieldValue<kind>(defaults, static_cast<int>(i));
      fields[i] = {row.accessor,
                   row.member,
                   static_cast<XelOptionsParser::FieldType>(initial.index()),
                   initial,
                   kind.optionsOf(i),
                   kind.optionCountOf(i),
                   row.rule == FieldRule::appendRestart,
                   row.meaning};
    }
    return fields;
  }();
  static const XelOptionsParser::FieldTable table{
      specs.data(), static_cast<int>(specs.size())};
  return table;
}

// What initMembers resets: the numbers and flags, not the texts.
template <const auto& kind, class Settings, std::size_t... index>
void resetNumbersAndFlags(Settings& settings, std::index_sequence<index...>) {
  const Settings initial{};
  const auto reset = [&](auto member) {
    if constexpr (!std::is_same_v<decltype(initial.*member()),
                                  const std::string&>) {
      settings.*member() = initial.*member();
    }
  };
  (...,
   reset(std::integral_constant<decltype(std::get<index>(kind.fields).pointer),
                                std::get<index>(kind.fields).pointer>()));
}

template <const auto& kind, class Settings>
void resetNumbersAndFlags(Settings& settings) {
  resetNumbersAndFlags<kind>(settings,
                             std::make_index_sequence<kind.shown()>());
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

template <const auto& kind, class Settings>
std::string describe(const Settings& settings) {
  std::string text;
  for (int i = 0; i < static_cast<int>(kind.shown()); ++i) {
    appendMember(text, kind.row(static_cast<std::size_t>(i)).member,
                 fieldValue<kind>(settings, i));
  }
  return text;
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBSETTINGS_H
