// SPDX-License-Identifier: MIT
// A kind's options applied to its settings: the parse's dispatch and the
// setters, made at compile time from the declaration. With every field's
// member and rule known, they are as direct as hand-written switches (a
// loop over the fields with a switch on the rule cost 300 instructions a
// parse).
#ifndef XELOPTS_SRC_JOBDISPATCH_H
#define XELOPTS_SRC_JOBDISPATCH_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "FieldRules.h"
#include "JobDeclaration.h"
#include "ParseLoop.h"

namespace xelopts::detail {

template <const auto& kind, std::size_t index, class Settings>
void applyField(Settings& s, Text text, Effect* effect, std::string* apart) {
  constexpr const auto& f = std::get<index>(kind.fields);
  constexpr FieldRule rule = f.rule;
  using Member = std::remove_reference_t<decltype(s.*f.pointer)>;
  if constexpr (ignoresEmpty(rule)) {
    if (text.empty()) {
      return noteUnchanged(effect, Rule::emptyText);
    }
  }
  if constexpr (rule == FieldRule::apart) {
    setText(*apart, text, nullptr);
    noteUnchanged(effect, Rule::notShown);
  } else if constexpr (std::is_same_v<Member, std::string>) {
    static_assert(rule == FieldRule::text || rule == FieldRule::name ||
                  rule == FieldRule::appendRestart ||
                  rule == FieldRule::smallestRestart);
    if constexpr (rule == FieldRule::text || rule == FieldRule::name) {
      setText(s.*f.pointer, text, effect);
    } else if constexpr (rule == FieldRule::appendRestart) {
      appendRestart(s.*f.pointer, text, effect);
    } else {
      keepSmallestRestart(s.*f.pointer, text, effect);
    }
  } else if constexpr (std::is_same_v<Member, std::uint64_t>) {
    static_assert(rule == FieldRule::number);
    setNumber(s.*f.pointer, text, effect);
  } else if constexpr (std::is_same_v<Member, std::int64_t>) {
    static_assert(rule == FieldRule::jobId);
    setJobId(s.*f.pointer, text, effect);
  } else {
    static_assert(rule == FieldRule::flag);
    noteChange(effect, !(s.*f.pointer));
    s.*f.pointer = true;
  }
}

// Applies the option of the code to the settings, or to apart (the text
// that keeps a value apart): a setter, or a step of the parse.
template <const auto& kind, int code, class Settings>
void applyCode(Settings& s, Text text, Effect* effect = nullptr,
               std::string* apart = nullptr) {
  constexpr auto first = kind.fieldWrittenBy(code);
  constexpr auto second = kind.fieldWrittenBy(code, 1);
  constexpr bool parts =
      second && kind.row(second.value_or(0)).rule == FieldRule::quorvelId;
  if constexpr (parts) {
    // One value, two parts: read in one pass.
    static_assert(std::get<*first>(kind.fields).rule ==
                  FieldRule::applicationNumber);
    setApplication(s.*std::get<*first>(kind.fields).pointer,
                   s.*std::get<*second>(kind.fields).pointer, text, effect);
  } else {
    if constexpr (first) {
      applyField<kind, *first>(s, text, effect, apart);
    }
    if constexpr (second) {
      applyField<kind, *second>(
          s, text, effect != nullptr ? &effect->next() : nullptr, apart);
    }
  }
}

// Applies the option of the code to the parser's settings (and to its text
// that keeps a value apart).
template <const auto& kind, int code, class Parser, auto settings, auto apart>
void applyToParser(XelOptionsParser& parser, const char* text, Effect* effect) {
  auto& self = static_cast<Parser&>(parser);
  std::string* apartText = nullptr;
  if constexpr (apart != nullptr) {
    apartText = &(self.*apart);
  }
  applyCode<kind, code>(self.*settings, text, effect, apartText);
}

template <const auto& kind, class Parser, auto settings, auto apart,
          int... code>
constexpr std::array<Apply, sizeof...(code)> appliers(
    std::integer_sequence<int, code...>) {
  return {(kind.fieldWrittenBy(code)
               ? &applyToParser<kind, code, Parser, settings, apart>
               : &ignore)...};
}

// Runs the parser's scan, applying each option to its settings member (and
// to its text member that keeps a value apart).
template <const auto& kind, auto settings, auto apart = nullptr, class Parser>
void parseKind(XelGetOpt& scanner, Parser& parser,
               XelOptionsParser::ParseReport* report) {
  static constexpr std::array<Apply, kCodes> table =
      appliers<kind, Parser, settings, apart>(
          std::make_integer_sequence<int, kCodes>());
  if (report != nullptr) {
    return parseReporting(scanner, parser, table.data(), kind.fieldsByCode(),
                          *report);
  }
  scanApplying(scanner, parser, table.data());
}

}  // namespace xelopts::detail

// A setter of a parser: the rule of the option of the code.
#define XELOPTS_SETTER(Parser, setter, code)                    \
  void Parser::setter(const std::string& text) {                \
    ::xelopts::detail::applyCode<kKind, code>(settings_, text); \
  }

#endif  // XELOPTS_SRC_JOBDISPATCH_H
