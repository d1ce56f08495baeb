// SPDX-License-Identifier: MIT
// A job kind made from its declaration (JobRows.h) at compile time: its
// vocabulary and the lookups that the dispatch (JobDispatch.h), the
// settings (JobSettings.h) and the writer (JobCommandLine.h) make. A
// declaration that does not hold together does not compile.
#ifndef XELOPTS_SRC_JOBDECLARATION_H
#define XELOPTS_SRC_JOBDECLARATION_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "FieldRules.h"
#include "JobRows.h"
#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// The kind's fields (a tuple of Field, those kept apart last) and its
// vocabulary. It does not compile when they do not hold together: an
// option that writes no field or more than two, a relation to an option
// that is not the kind's, a field with no option or two, an option owned
// twice, a name with "=", more names than a table holds or more fields
// than a FieldSet (nor does a rule that does not fit its member:
// applyField).
template <class Fields, std::size_t Letters, std::size_t Names>
class JobKind {
  using Index = std::optional<std::size_t>;
  static constexpr std::size_t kWrites = 2;  // fields an option writes

 public:
  static constexpr std::size_t kFields = std::tuple_size_v<Fields>;
  using Settings = typename std::tuple_element_t<0, Fields>::Settings;

  constexpr JobKind(const char (&shortOptions)[Letters],
                    const LongName (&names)[Names], const Fields& rows)
      : vocabulary{shortOptions, options_, 0}, fields(rows) {
    forIndexes<kFields>([&](auto i) { rows_[i] = std::get<i>(rows); });
    for (const char* c = shortOptions; *c != '\0'; ++c) {
      if (*c != ':') {
        addOption({nullptr,
                   c[1] == ':' ? XelGetOpt::required_argument
                               : XelGetOpt::no_argument,
                   *c, nullptr});
      }
    }
    check(Names < XelGetOpt::kTableCapacity, "more names than a table holds");
    for (const LongName& name : names) {
      using Chars = std::char_traits<char>;
      check(!Chars::find(name.name, Chars::length(name.name), '='),
            "a long name with \"=\"");
      addOption({name.name, name.kind, name.code, nullptr});
    }
    for (std::size_t i = 0; i < kFields; ++i) {
      checkRow(i);
    }
    check(shown() <= XelOptionsParser::FieldSet().size(),
          "more fields than a FieldSet holds");
  }

  XelOptionsParser::Vocabulary vocabulary;
  Fields fields;

  // The fields an accessor shows: all but those kept apart, which are last.
  constexpr std::size_t shown() const {
    std::size_t count = 0;
    for (; count < kFields && rows_[count].accessor != nullptr; ++count) {
    }
    return count;
  }
  // The vocabulary's entry of the code, which spells its option.
  constexpr const XelOptionsParser::OptionSpec& option(char code) const {
    return options_[entry(code)];
  }
  // The n-th field, in the record's order, that the option of the code
  // writes.
  constexpr Index written(int code, std::size_t n = 0) const {
    for (std::size_t i = 0; i < kFields; ++i) {
      if (rows_[i].writers.include(code) && n-- == 0) {
        return i;
      }
    }
    return {};
  }
  // The field that owns the option of the code; the field that takes a
  // part of its value; the other field that it sets too.
  constexpr Index ownerOf(char code) const { return find(&Writers::own, code); }
  constexpr Index partOf(char code) const {
    return find(&Writers::partOfCode, code);
  }
  constexpr Index alsoSetBy(char code) const {
    return find(&Writers::alsoSetByCode, code);
  }
  constexpr const FieldRow& row(std::size_t i) const { return rows_[i]; }
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

 private:
  static constexpr std::size_t kOptions = Letters + Names;

  static constexpr void check(bool holds, const char* what) {
    (void)(holds ? 0 : throw what);  // no constant expression: no compile
  }

  static constexpr std::size_t code(const XelOptionsParser::OptionSpec& o) {
    check(o.code > 0, "an option's code above 127");
    return static_cast<std::size_t>(o.code);
  }
  constexpr std::size_t count() const {
    return static_cast<std::size_t>(vocabulary.count);
  }
  constexpr std::size_t entry(char code) const {
    std::size_t i = 0;
    for (; i < count() && options_[i].code != code; ++i) {
    }
    return i;
  }
  constexpr Index find(char Writers::*relation, char code) const {
    for (std::size_t i = 0; code != 0 && i < kFields; ++i) {
      if (rows_[i].writers.*relation == code) {
        return i;
      }
    }
    return {};
  }

  // The option as the vocabulary publishes it, with the accessors it
  // changes.
  constexpr void addOption(const XelOptionsParser::OptionSpec& option) {
    const std::size_t n = count();
    check(written(option.code) && !written(option.code, kWrites),
          "an option that writes no field, or more than two");
    options_[n] = option;
    options_[n].changes = changes_[n];
    for (std::size_t k = 0, listed = 0; written(option.code, k); ++k) {
      const std::size_t i = *written(option.code, k);
      if (rows_[i].accessor != nullptr) {
        changes_[n][listed++] = {rows_[i].accessor,
                                 rows_[i].rule == FieldRule::appendRestart,
                                 static_cast<int>(i)};
        fieldsByCode_[code(option)] |= std::uint32_t{1} << i;
      }
      fieldOptions_[i].indexes[fieldOptions_[i].count++] = static_cast<int>(n);
    }
    ++vocabulary.count;
  }

  constexpr void checkRow(std::size_t i) const {
    const Writers& w = rows_[i].writers;
    for (const char code :
         {w.own, w.aliasCode, w.alsoSetByCode, w.partOfCode}) {
      check(code == 0 || entry(code) < count(), "an option not of the kind");
    }
    check((w.own != 0) != (w.partOfCode != 0),
          "a field with no option, or two");
    check(w.own == 0 || *ownerOf(w.own) == i, "an option owned twice");
    check(w.partOfCode == 0 || ownerOf(w.partOfCode), "a part of no value");
    const Index setter = ownerOf(w.alsoSetByCode);
    check(w.alsoSetByCode == 0 ||
              (setter && rows_[*setter].rule == FieldRule::flag &&
               rows_[i].rule == FieldRule::flag),
          "a flag set too by an option of no flag");
    check(rows_[i].accessor != nullptr || i >= shown(), "kept, but not last");
  }

  FieldRow rows_[kFields]{};
  XelOptionsParser::OptionSpec options_[kOptions]{};
  XelOptionsParser::Change changes_[kOptions][kWrites + 1]{};
  Options fieldOptions_[kFields]{};
  std::uint32_t fieldsByCode_[128]{};
};

template <class... Field, std::size_t Letters, std::size_t Names>
JobKind(const char (&)[Letters], const LongName (&)[Names],
        const std::tuple<Field...>&)
    -> JobKind<std::tuple<Field...>, Letters, Names>;

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBDECLARATION_H
