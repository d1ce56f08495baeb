// SPDX-License-Identifier: MIT
// What a job kind's declaration is written in: a row per field of its
// record, with its accessor, its member of Settings, its rule, the options
// that write it, each named by how it relates to the field, and what the
// field means; and the kind's long names. JobDeclaration.h makes the kind
// from them.
#ifndef XELOPTS_SRC_JOBROWS_H
#define XELOPTS_SRC_JOBROWS_H

#include <cstddef>
#include <string>
#include <utility>

#include "FieldRules.h"
#include "XelGetOpt.h"

namespace xelopts::detail {

// The options that write a field, each by its code, and how it relates to
// the field.
struct Writers {
  char own = 0;            // its own option, the one the writer spells
  char aliasCode = 0;      // the same option, spelled otherwise: -J of -j
  char alsoSetByCode = 0;  // another field's option, which sets it too
  char partOfCode = 0;     // an option whose value it shares with the
                           // option's own field, each taking its part

  constexpr Writers alias(char code) const {
    return {own, code, alsoSetByCode, partOfCode};
  }
  constexpr Writers alsoSetBy(char code) const {
    return {own, aliasCode, code, partOfCode};
  }
  constexpr bool include(int code) const {
    return code == own || code == aliasCode || code == alsoSetByCode ||
           code == partOfCode;
  }
};

constexpr Writers option(char code) { return Writers{code}; }
constexpr Writers partOf(char code) { return Writers{0, 0, 0, code}; }

// One field of a kind's record, but its member: the names of its accessor
// and member, how its options write it, and what it means.
struct FieldRow {
  const char* accessor;  // null: a value kept apart, which nothing shows
  const char* member;
  FieldRule rule;
  Writers writers;
  const char* meaning;
};

// And its member, of its own type.
template <class Record, class Member>
struct Field : FieldRow {
  using Settings = Record;
  Member Record::*pointer;
};

// The restore job's phase: written by its option, read by none.
template <class Settings>
constexpr Field<Settings, std::string> kept(Writers writers) {
  return {{nullptr, nullptr, FieldRule::kept, writers, nullptr}, nullptr};
}

// A kind's fields are listed once, as FIELD(accessor, member, rule,
// writers, meaning) rows of a macro. Each row becomes a Field (Settings in
// scope) and the accessor's definition (Parser in scope).
// NOLINTBEGIN(bugprone-macro-parentheses): names, not expressions
#define XELOPTS_FIELD_ROW(accessor, member, rule, writers, meaning)     \
  ::xelopts::detail::Field<Settings, decltype(Settings::member)>{       \
      {#accessor, #member, ::xelopts::detail::FieldRule::rule, writers, \
       meaning},                                                        \
      &Settings::member},
#define XELOPTS_FIELD_ACCESSOR(accessor, member, rule, writers, meaning) \
  decltype(Settings::member) Parser::accessor() { return settings_.member; }
// NOLINTEND(bugprone-macro-parentheses)

// The rows that begin every kind's record, the same in each.
// clang-format off
#define XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                              \
  FIELD(getJobId,             jobId,             jobId,             option('j').alias('J'), "the job's id, read as atoi reads it, clamped to 32 bits")             \
  FIELD(getApplicationNumber, applicationNumber, applicationNumber, option('a'),            "the application number: A in -a Q:A, the number after the colon")     \
  FIELD(getQuorvelId,         quorvelId,         quorvelId,         partOf('a'),            "the Quorvel id, which qualifies the application number: Q in -a Q:A")   \
  FIELD(getVirtualMachine,    virtualMachine,    name,              option('v').alias('V'), "the virtual machine's name; an empty value keeps the one before")
// clang-format on

// Calls f(std::integral_constant<std::size_t, i>()) for each i below n, in
// order, so that f can name the i-th field at compile time.
template <class F, std::size_t... i>
constexpr void forIndexes(F&& f, std::index_sequence<i...> /*unused*/) {
  (..., f(std::integral_constant<std::size_t, i>()));
}
template <std::size_t n, class F>
constexpr void forIndexes(F&& f) {
  forIndexes(f, std::make_index_sequence<n>());
}

// A long name of a vocabulary, the code the scanner returns for it, and
// whether it takes a value.
struct LongName {
  const char* name;
  char code;
  XelGetOpt::ParamType kind = XelGetOpt::required_argument;
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBROWS_H
