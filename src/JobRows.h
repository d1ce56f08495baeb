// SPDX-License-Identifier: MIT
// What a job kind's declaration is written in: a row per field of its
// record, with its accessor, its member of Settings, its rule, the options
// that write it, each spelled once and named by how it relates to the
// field, and what the field means. JobDeclaration.h makes the kind from
// them.
#ifndef XELOPTS_SRC_JOBROWS_H
#define XELOPTS_SRC_JOBROWS_H

#include <cstddef>
#include <string>
#include <utility>

#include "FieldRules.h"

namespace xelopts::detail {

// An option as the scanner knows it: the code it returns for it, and its
// long name, or none for a short letter.
struct Spelling {
  char code = 0;
  const char* name = nullptr;
  bool isLetter = false;
};

// The options that write a field, and how each relates to it. An option
// takes a value unless the fields it writes are flags; a flag's option
// that takes a value all the same (and ignores it) says so.
struct Writers {
  Spelling spellings[2];  // its own option, then another spelling of it
  char setTooBy = 0;      // another flag's option, which sets this flag too
  char shares = 0;        // an option whose value this field shares with the
                          // option's own field, each taking its part
  bool valueIgnored = false;

  // Row builders, chained: letter('j').alias('J'), option('v', "vm")
  // .alias('V', "VM"), option('B', "integcheck").alsoSetBy('S').
  constexpr Writers alias(char letter) const {
    Writers w = *this;
    w.spellings[1] = {letter, nullptr, true};
    return w;
  }
  constexpr Writers alias(char code, const char* name) const {
    Writers w = *this;
    w.spellings[1] = {code, name, false};
    return w;
  }
  constexpr Writers alsoSetBy(char code) const {
    Writers w = *this;
    w.setTooBy = code;
    return w;
  }
  constexpr Writers ignoresValue() const {
    Writers w = *this;
    w.valueIgnored = true;
    return w;
  }

  constexpr char own() const { return spellings[0].code; }
  constexpr bool include(int code) const {
    return code != 0 &&
           (code == spellings[0].code || code == spellings[1].code ||
            code == setTooBy || code == shares);
  }
};

// A field's own option: a short letter, or a code and a long name.
constexpr Writers letter(char code) { return {{{code, nullptr, true}}}; }
constexpr Writers option(char code, const char* name = nullptr) {
  return {{{code, name, false}}};
}
// A field that takes a part of another field's option's value.
constexpr Writers partOf(char code) {
  Writers w{};
  w.shares = code;
  return w;
}

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
constexpr Field<Settings, std::string> apart(Writers writers) {
  return {{nullptr, nullptr, FieldRule::apart, writers, nullptr}, nullptr};
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
#define XELOPTS_LEADING_FIELDS(FIELD)                                                                                                                                     \
  FIELD(getJobId,             jobId,             jobId,             letter('j').alias('J'),         "the job's id, read as atoi reads it, clamped to 32 bits")             \
  FIELD(getApplicationNumber, applicationNumber, applicationNumber, letter('a'),                    "the application number: A in -a Q:A, the number after the colon")     \
  FIELD(getQuorvelId,         quorvelId,         quorvelId,         partOf('a'),                    "the Quorvel id, which qualifies the application number: Q in -a Q:A")   \
  FIELD(getVirtualMachine,    virtualMachine,    name,              option('v', "vm").alias('V', "VM"), "the virtual machine's name; an empty value keeps the one before")
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

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBROWS_H
