// SPDX-License-Identifier: MIT
// A job kind made from its declaration (JobRows.h) at compile time: the
// vocabulary and short-option string the scanner sees, the fields each
// code writes (for the dispatch, JobDispatch.h), and each field's way back
// to the command line (for the writer, JobCommandLine.h). A declaration
// that does not hold together stops the build with one sentence
// (Declaration).
#ifndef XELOPTS_SRC_JOBDECLARATION_H
#define XELOPTS_SRC_JOBDECLARATION_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "FieldRules.h"
#include "JobRows.h"
#include "xelopts/XelGetOpt.h"
#include "xelopts/XelOptionsParser.h"

namespace xelopts::detail {

// The first thing wrong with a declaration, by the option's code (or the
// field's index) it concerns; Declaration says it.
enum class Mistake : unsigned char {
  none,
  noName,
  unspellable,
  codeTwice,
  noOption,
  notOfKind,
  notFlags,
  tooMany,
  apartNotLast,
};
struct Problem {
  Mistake mistake = Mistake::none;
  char code = 0;
  int field = -1;
};

// How a field goes back to the command line.
enum class Role : unsigned char {
  none,          // it does not: a part of another's value, or kept apart
  alone,         // its option, when it holds no default
  withPart,      // its option carries the partner's part of the value too
  setByPartner,  // as alone, but not when the partner's option sets it
  setsPartner,   // its option sets the partner too, which must be set
};
struct WritePlan {
  Role role = Role::none;
  int option = 0;           // its own option's entry in the vocabulary
  std::size_t partner = 0;  // a field, by Role
};

template <class Fields>
class JobKind {
  using Index = std::optional<std::size_t>;
  using OptionSpec = XelOptionsParser::OptionSpec;
  static constexpr std::size_t kWrites = 2;  // fields an option writes

 public:
  static constexpr std::size_t kFields = std::tuple_size_v<Fields>;
  using Settings = typename std::tuple_element_t<0, Fields>::Settings;

  // scanOrder: the codes in the order job processes have always had them
  // registered, letters first; options it leaves out come after, in the
  // rows' order.
  constexpr JobKind(const char* scanOrder, const Fields& rows)
      : vocabulary{shortOptions_, options_, 0}, fields(rows) {
    forIndexes<kFields>([&](auto i) { rows_[i] = std::get<i>(rows); });
    for (std::size_t i = 0; i < kFields; ++i) {
      checkRow(i);
    }
    for (const bool letters : {true, false}) {
      for (const char* c = scanOrder; *c != '\0'; ++c) {
        addSpelling(*c, letters, true);
      }
      for (std::size_t i = 0; i < kFields; ++i) {
        for (const Spelling& s : rows_[i].writers.spellings) {
          addSpelling(s.code, letters, false);
        }
      }
    }
    for (std::size_t i = 0; i < kFields; ++i) {
      plans_[i] = workOutPlan(i);
    }
    expect(names_ < XelGetOpt::kTableCapacity &&
               shown() <= XelOptionsParser::FieldSet().size(),
           Mistake::tooMany);
  }

  XelOptionsParser::Vocabulary vocabulary;
  Fields fields;

  constexpr const Problem& problem() const { return problem_; }
  // The fields an accessor shows: all but those kept apart, which are last.
  constexpr std::size_t shown() const {
    std::size_t count = 0;
    for (; count < kFields && rows_[count].accessor != nullptr; ++count) {
    }
    return count;
  }
  constexpr const FieldRow& row(std::size_t i) const { return rows_[i]; }
  // The n-th field, in the record's order, that the option of the code
  // writes.
  constexpr Index fieldWrittenBy(int code, std::size_t n = 0) const {
    for (std::size_t i = 0; i < kFields; ++i) {
      if (rows_[i].writers.include(code) && n-- == 0) {
        return i;
      }
    }
    return {};
  }
  // The fields an accessor shows that each code's option writes, as bits.
  constexpr const std::uint32_t* fieldsByCode() const { return fieldsByCode_; }
  // The options that write field i, as indexes in the vocabulary.
  struct Options {
    int indexes[kWrites + 1];
    int count;
  };
  constexpr const Options& optionsOf(std::size_t i) const {
    return fieldOptions_[i];
  }
  constexpr const WritePlan& planOf(std::size_t i) const { return plans_[i]; }
  constexpr const OptionSpec& spellingOf(const WritePlan& plan) const {
    return options_[plan.option];
  }
  // The option's word on a command line: "-j", "-cn".
  constexpr std::string_view wordOf(const WritePlan& plan) const {
    return words_[plan.option];
  }

 private:
  static constexpr std::size_t kSpellings = 2 * kFields;

  constexpr void expect(bool holds, Mistake mistake, char code = 0,
                        std::size_t field = kFields) {
    if (!holds && problem_.mistake == Mistake::none) {
      problem_ = {mistake, code,
                  field < kFields ? static_cast<int>(field) : -1};
    }
  }
  constexpr std::size_t count() const {
    return static_cast<std::size_t>(vocabulary.count);
  }
  constexpr Index entryOf(char code) const {
    for (std::size_t i = 0; i < count(); ++i) {
      if (options_[i].code == code) {
        return i;
      }
    }
    return {};
  }
  // The first field whose writers are as asked.
  template <class Test>
  constexpr Index rowWhere(Test test) const {
    for (std::size_t i = 0; i < kFields; ++i) {
      if (test(rows_[i].writers)) {
        return i;
      }
    }
    return {};
  }
  // The field whose own option has the code.
  constexpr Index ownerOf(char code) const {
    return rowWhere([=](const Writers& w) { return code && w.own() == code; });
  }

  // The option the code spells in a field's row, as the vocabulary
  // publishes it, when it is a letter (or a long name) as asked and not
  // published yet. No other row may spell the code; a code of the scan
  // order must be spelled.
  constexpr void addSpelling(char code, bool letters, bool ordered) {
    int spelled = 0;
    for (std::size_t i = 0; code != 0 && i < kFields; ++i) {
      for (const Spelling& s : rows_[i].writers.spellings) {
        spelled += s.code == code ? 1 : 0;
        if (s.code == code && s.isLetter == letters && !entryOf(code)) {
          addOption(s, i);
        }
      }
    }
    expect(spelled <= 1, Mistake::codeTwice, code);
    expect(spelled == 1 || !ordered, Mistake::notOfKind, code);
  }

  constexpr void addOption(const Spelling& s, std::size_t owner) {
    const FieldRow& row = rows_[owner];
    const std::size_t n = count();
    const bool takesValue =
        row.rule != FieldRule::flag || row.writers.valueIgnored;
    const auto kind =
        takesValue ? XelGetOpt::required_argument : XelGetOpt::no_argument;
    using Chars = std::char_traits<char>;
    const std::size_t length = s.name != nullptr ? Chars::length(s.name) : 1;
    const bool usable =
        s.code > ' ' && s.code <= '~' && s.code != ':' && s.code != '?' &&
        s.code != '-' && length <= kLongestName &&
        (s.name == nullptr || !Chars::find(s.name, length, '='));
    expect(usable, Mistake::unspellable, s.code);
    if (n >= kSpellings || !usable) {
      return;
    }
    options_[n] = {s.name, kind, s.code, changes_[n]};
    words_[n][0] = '-';
    for (std::size_t i = 0; i < length; ++i) {
      words_[n][i + 1] = s.name != nullptr ? s.name[i] : s.code;
    }
    if (s.isLetter) {
      shortOptions_[letters_++] = s.code;
      if (takesValue) {
        shortOptions_[letters_++] = ':';
      }
    } else {
      ++names_;
      expect(s.name != nullptr, Mistake::noName, s.code);
    }
    for (std::size_t k = 0, listed = 0; fieldWrittenBy(s.code, k); ++k) {
      const std::size_t i = *fieldWrittenBy(s.code, k);
      expect(k < kWrites, Mistake::tooMany, s.code);
      if (k >= kWrites) {
        break;
      }
      if (rows_[i].accessor != nullptr) {
        changes_[n][listed++] = {rows_[i].accessor,
                                 rows_[i].rule == FieldRule::appendRestart,
                                 static_cast<int>(i)};
        fieldsByCode_[static_cast<unsigned char>(s.code)] |=
            i < 32 ? 1U << i : 0U;
      }
      fieldOptions_[i].indexes[fieldOptions_[i].count++] = static_cast<int>(n);
    }
    ++vocabulary.count;
  }

  constexpr void checkRow(std::size_t i) {
    const FieldRow& row = rows_[i];
    const Writers& w = row.writers;
    expect((w.own() != 0) != (w.shares != 0), Mistake::noOption, w.own(), i);
    const Index setter = ownerOf(w.setTooBy);
    expect((w.shares == 0 || ownerOf(w.shares)) && (w.setTooBy == 0 || setter),
           Mistake::notOfKind, w.shares | w.setTooBy, i);
    const bool flags = row.rule == FieldRule::flag &&
                       (!setter || rows_[*setter].rule == FieldRule::flag);
    expect(flags || (!setter && !w.valueIgnored), Mistake::notFlags, w.own(),
           i);
    expect(row.accessor != nullptr || i >= shown(), Mistake::apartNotLast, 0,
           i);
  }

  constexpr WritePlan workOutPlan(std::size_t i) const {
    const Writers& w = rows_[i].writers;
    const Index entry = entryOf(w.own());
    if (rows_[i].accessor == nullptr || !entry) {
      return {};
    }
    const int option = static_cast<int>(*entry);
    if (const Index part = rowWhere(
            [&](const Writers& other) { return other.shares == w.own(); })) {
      return {Role::withPart, option, *part};
    }
    if (const Index setter = ownerOf(w.setTooBy)) {
      return {Role::setByPartner, option, *setter};
    }
    if (const Index set = rowWhere(
            [&](const Writers& other) { return other.setTooBy == w.own(); })) {
      return {Role::setsPartner, option, *set};
    }
    return {Role::alone, option, 0};
  }

  FieldRow rows_[kFields]{};
  OptionSpec options_[kSpellings]{};
  // A name's bytes at most: the job table keeps lengths in a byte, and a
  // word is made at compile time.
  static constexpr std::size_t kLongestName = 31;
  char words_[kSpellings][kLongestName + 2]{};
  XelOptionsParser::Change changes_[kSpellings][kWrites + 1]{};
  char shortOptions_[2 * kSpellings + 1]{};
  std::size_t letters_ = 0;
  std::size_t names_ = 0;
  Options fieldOptions_[kFields]{};
  WritePlan plans_[kFields]{};
  std::uint32_t fieldsByCode_[128]{};
  Problem problem_{};
};

template <class... Field>
JobKind(const char*, const std::tuple<Field...>&)
    -> JobKind<std::tuple<Field...>>;

// Says the first mistake of a declaration, as the one error of the build;
// the line above it names the option's code (or the field's index).
template <Mistake mistake, char code, int field>
struct Declaration {
  static_assert(mistake != Mistake::noName,
                "an option needs a long name: write option(code, \"name\"), "
                "or letter(code) for a short option");
  static_assert(mistake != Mistake::unspellable,
                "an option's code is ':', '?', '-' or no printable ASCII, or "
                "its name holds '=' or is longer than 31 bytes: the scanner "
                "cannot return it");
  static_assert(mistake != Mistake::codeTwice,
                "two options have one code: give each a code of its own");
  static_assert(mistake != Mistake::noOption,
                "a field needs one of letter(code), option(code, \"name\") "
                "or partOf(code)");
  static_assert(mistake != Mistake::notOfKind,
                "a code names no option of the kind: spell the option in its "
                "field's row, or remove the code");
  static_assert(mistake != Mistake::notFlags,
                "alsoSetBy(code) and ignoresValue() are for flags' options");
  static_assert(mistake != Mistake::tooMany,
                "more long names than a table holds, more fields than a "
                "FieldSet, or an option that writes more than two fields");
  static_assert(mistake != Mistake::apartNotLast,
                "a value kept apart stands before a field: put it last");
  static constexpr bool holds = true;
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBDECLARATION_H
