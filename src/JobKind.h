// SPDX-License-Identifier: MIT
// A job kind, declared once. Its parser's source lists the fields of the
// record and the kind's long names; everything else is made from them at
// compile time: the published vocabulary and what each option changes, the
// parse's dispatch and what its report says of each step, the setters,
// initMembers, Settings' comparison and description, the command line
// written from settings, and the members every parser defines alike.
#ifndef XELOPTS_SRC_JOBKIND_H
#define XELOPTS_SRC_JOBKIND_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "CommandLineWriter.h"
#include "FieldRules.h"
#include "JobTable.h"
#include "ParseLoop.h"
#include "SettingsDescription.h"
#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// One field of a kind's record, its member of Settings, and the options
// that write it and how.
template <class Settings, class Member>
struct Field {
  const char* accessor;  // null: a value kept apart, which nothing shows
  const char* name;      // the member's
  // The codes of the options that write it, its own option first. An option
  // that writes two fields is listed by both: -a, a flag that sets its pair.
  const char* codes;
  FieldRule rule;
  Member Settings::*member;
};

template <class Settings, class Member>
constexpr Field<Settings, Member> field(const char* accessor, const char* name,
                                        Member Settings::*member,
                                        const char* codes, FieldRule rule) {
  return {accessor, name, codes, rule, member};
}

// The restore job's phase: written by the options of codes, read by none.
template <class Settings>
constexpr Field<Settings, std::string> kept(const char* codes) {
  return {nullptr, nullptr, codes, FieldRule::kept, nullptr};
}

// A kind's fields are listed once, as FIELD(accessor, member, codes, rule)
// rows of a macro. Each row becomes a Field (Settings in scope) and the
// accessor's definition, which returns the member (Parser in scope).
// NOLINTBEGIN(bugprone-macro-parentheses): names, not expressions
#define XELOPTS_FIELD_ROW(accessor, member, codes, rule)                 \
  ::xelopts::detail::field(#accessor, #member, &Settings::member, codes, \
                           ::xelopts::detail::FieldRule::rule),
#define XELOPTS_FIELD_ACCESSOR(accessor, member, codes, rule) \
  decltype(Settings::member) Parser::accessor() { return settings_.member; }
// NOLINTEND(bugprone-macro-parentheses)

// The rows that begin every kind's record, the same in each.
// clang-format off
#define XELOPTS_LEADING_FIELDS(FIELD)                                       \
  FIELD(getJobId,             jobId,             "jJ", jobId)               \
  FIELD(getApplicationNumber, applicationNumber, "a",  applicationNumber)   \
  FIELD(getQuorvelId,         quorvelId,         "a",  quorvelId)           \
  FIELD(getVirtualMachine,    virtualMachine,    "vV", name)
// clang-format on

// A long name of a vocabulary, the code the scanner returns for it, and
// whether it takes a value.
struct LongName {
  const char* name;
  char code;
  XelGetOpt::ParamType kind = XelGetOpt::required_argument;
};

constexpr bool listed(const char* codes, char code) {
  for (; *codes != '\0'; ++codes) {
    if (*codes == code) {
      return true;
    }
  }
  return false;
}

// The kind's fields (a tuple of Field) and vocabulary. It does not compile
// when they do not hold together: an option that writes no field or more
// than two, a field written by no option of the kind, a name with "=", or
// more names than a table holds (nor does a rule that does not fit its
// member: applyField).
template <class Fields, std::size_t Letters, std::size_t Names>
class JobKind {
  static constexpr std::size_t kFields = std::tuple_size_v<Fields>;
  static constexpr std::size_t kWrites = 2;  // fields an option writes
  static constexpr std::size_t kOptions = Letters + Names;

 public:
  constexpr JobKind(const char (&shortOptions)[Letters],
                    const LongName (&names)[Names], const Fields& rows)
      : vocabulary{shortOptions, options_, 0}, fields(rows) {
    std::apply(
        [this](const auto&... f) {
          std::size_t i = 0;
          (..., (rows_[i++] = {f.accessor, f.codes, f.rule}));
        },
        rows);
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
      check(!listed(name.name, '='), "a long name with \"=\"");
      addOption({name.name, name.kind, name.code, nullptr});
    }
    for (const Row& row : rows_) {
      for (const char* c = row.codes; *c != '\0'; ++c) {
        check(entry(*c) < count(), "a field written by no option of the kind");
      }
    }
  }

  XelOptionsParser::Vocabulary vocabulary;
  Fields fields;

  static constexpr std::size_t fieldCount() { return kFields; }
  // The vocabulary's first entry of the code, which spells its option.
  constexpr const XelOptionsParser::OptionSpec& option(char code) const {
    return options_[entry(code)];
  }
  // Each an index + 1, or 0 for none: the n-th field that the option of
  // the code writes; for the writer, the next field that the own option of
  // field i (the first of its codes) writes, and the n-th field whose own
  // option also sets field i. Field i leads its own option when no earlier
  // field is written by it.
  constexpr std::size_t writes(int code, std::size_t n = 0) const {
    return nth(n, [&](std::size_t j) {
      return listed(rows_[j].codes, static_cast<char>(code));
    });
  }
  constexpr std::size_t nextOwned(std::size_t i) const {
    return nth(0, [&](std::size_t j) { return j > i && own(j) == own(i); });
  }
  constexpr std::size_t setBy(std::size_t i, std::size_t n) const {
    return nth(n, [&](std::size_t j) {
      return j != i && listed(rows_[i].codes + 1, own(j));
    });
  }
  constexpr bool leads(std::size_t i) const {
    return rows_[i].accessor != nullptr && nth(0, [&](std::size_t j) {
                                             return j < i && own(j) == own(i);
                                           }) == 0;
  }

 private:
  // What the tables are made from, field by field.
  struct Row {
    const char* accessor;
    const char* codes;
    FieldRule rule;
  };

  static constexpr void check(bool holds, const char* what) {
    (void)(holds ? 0 : throw what);  // no constant expression: no compile
  }

  constexpr std::size_t count() const {
    return static_cast<std::size_t>(vocabulary.count);
  }
  constexpr char own(std::size_t i) const { return rows_[i].codes[0]; }
  template <class Match>
  constexpr std::size_t nth(std::size_t n, Match match) const {
    for (std::size_t j = 0; j < kFields; ++j) {
      if (match(j) && n-- == 0) {
        return j + 1;
      }
    }
    return 0;
  }
  constexpr std::size_t entry(char code) const {
    std::size_t i = 0;
    for (; i < count() && options_[i].code != code; ++i) {
    }
    return i;
  }

  // The option as the vocabulary publishes it, with the accessors it
  // changes.
  constexpr void addOption(const XelOptionsParser::OptionSpec& option) {
    const std::size_t n = count();
    check(writes(option.code) != 0 && writes(option.code, kWrites) == 0,
          "an option that writes no field, or more than two");
    options_[n] = option;
    options_[n].changes = changes_[n];
    for (std::size_t k = 0, listed = 0; writes(option.code, k) != 0; ++k) {
      const Row& row = rows_[writes(option.code, k) - 1];
      if (row.accessor != nullptr) {
        changes_[n][listed++] = {row.accessor,
                                 row.rule == FieldRule::appendRestart};
      }
    }
    ++vocabulary.count;
  }

  Row rows_[kFields]{};
  XelOptionsParser::OptionSpec options_[kOptions]{};
  XelOptionsParser::Change changes_[kOptions][kWrites + 1]{};
};

template <class... Field, std::size_t Letters, std::size_t Names>
JobKind(const char (&)[Letters], const LongName (&)[Names],
        const std::tuple<Field...>&)
    -> JobKind<std::tuple<Field...>, Letters, Names>;

// What reads the declaration at run time is made from it at compile time:
// with every field's member and rule known, the parse's dispatch and the
// writer are as direct as hand-written switches (a loop over the fields
// with a switch on the rule cost 300 instructions a parse and 1,000 a
// write).

template <const auto& kind, std::size_t index, class Settings>
void applyField(Settings& s, Text text, Effect* effect, std::string* kept) {
  constexpr const auto& f = std::get<index>(kind.fields);
  constexpr FieldRule rule = f.rule;
  using Member = std::remove_reference_t<decltype(s.*f.member)>;
  if constexpr (ignoresEmpty(rule)) {
    if (text.empty()) {
      return noteUnchanged(effect, Rule::emptyText);
    }
  }
  if constexpr (rule == FieldRule::kept) {
    setText(*kept, text, nullptr);
    noteUnchanged(effect, Rule::notShown);
  } else if constexpr (std::is_same_v<Member, std::string>) {
    static_assert(rule == FieldRule::text || rule == FieldRule::name ||
                  rule == FieldRule::appendRestart ||
                  rule == FieldRule::smallestRestart);
    if constexpr (rule == FieldRule::text || rule == FieldRule::name) {
      setText(s.*f.member, text, effect);
    } else if constexpr (rule == FieldRule::appendRestart) {
      appendRestart(s.*f.member, text, effect);
    } else {
      keepSmallestRestart(s.*f.member, text, effect);
    }
  } else if constexpr (std::is_same_v<Member, std::uint64_t>) {
    static_assert(rule == FieldRule::number ||
                  rule == FieldRule::applicationNumber ||
                  rule == FieldRule::quorvelId);
    if constexpr (rule == FieldRule::number) {
      setNumber(s.*f.member, text, effect);
    } else {
      setApplicationPart(s.*f.member, text, rule == FieldRule::quorvelId,
                         effect);
    }
  } else if constexpr (std::is_same_v<Member, std::int64_t>) {
    static_assert(rule == FieldRule::jobId);
    setJobId(s.*f.member, text, effect);
  } else {
    static_assert(rule == FieldRule::flag);
    noteChange(effect, !(s.*f.member));
    s.*f.member = true;
  }
}

// Applies the option of the code to the settings, or to kept (a value kept
// apart): a setter, or a step of the parse.
template <const auto& kind, int code, class Settings>
void applyCode(Settings& s, Text text, Effect* effect = nullptr,
               std::string* kept = nullptr) {
  if constexpr (kind.writes(code) != 0) {
    applyField<kind, kind.writes(code) - 1>(s, text, effect, kept);
  }
  if constexpr (kind.writes(code, 1) != 0) {
    applyField<kind, kind.writes(code, 1) - 1>(s, text, effect, kept);
  }
}

template <const auto& kind, class Settings, int... code>
constexpr auto dispatchTable(std::integer_sequence<int, code...>) {
  using ApplyCode = void (*)(Settings&, Text, Effect*, std::string*);
  return std::array<ApplyCode, sizeof...(code)>{
      (kind.writes(code) != 0 ? &applyCode<kind, code, Settings> : nullptr)...};
}

// Applies the option of a code; false for a code that is no option of the
// kind.
template <const auto& kind, class Settings>
bool applyOption(Settings& settings, int code, const char* text, Effect* effect,
                 std::string* kept) {
  static constexpr auto table =
      dispatchTable<kind, Settings>(std::make_integer_sequence<int, 128>());
  const auto entry = static_cast<std::size_t>(static_cast<unsigned>(code));
  if (entry >= table.size() || table[entry] == nullptr) {
    return false;
  }
  table[entry](settings, text, effect, kept);
  return true;
}

// Calls visit(name, member) for each field of the record (not a value kept
// apart), with its member pointer as a constant: member.value.
template <const auto& kind, std::size_t index, class Visit>
void visitField(Visit& visit) {
  constexpr const auto& f = std::get<index>(kind.fields);
  if constexpr (f.rule != FieldRule::kept) {
    visit(f.name, std::integral_constant<decltype(f.member), f.member>());
  }
}

template <const auto& kind, class Visit, std::size_t... index>
void forEachField(Visit visit, std::index_sequence<index...>) {
  (..., visitField<kind, index>(visit));
}

template <const auto& kind, class Visit>
void forEachField(Visit visit) {
  forEachField<kind>(visit, std::make_index_sequence<kind.fieldCount()>());
}

// What initMembers resets: the numbers and flags, not the texts.
template <const auto& kind, class Settings>
void resetNumbersAndFlags(Settings& settings) {
  const Settings initial{};
  forEachField<kind>([&](const char*, auto member) {
    if constexpr (!std::is_same_v<decltype(initial.*member.value),
                                  const std::string&>) {
      settings.*member.value = initial.*member.value;
    }
  });
}

template <const auto& kind, class Settings>
bool equal(const Settings& a, const Settings& b) {
  bool same = true;
  forEachField<kind>([&](const char*, auto member) {
    same = same && a.*member.value == b.*member.value;
  });
  return same;
}

template <const auto& kind, class Settings>
std::string describe(const Settings& settings) {
  std::string text;
  forEachField<kind>([&](const char* name, auto member) {
    appendMember(text, name, settings.*member.value);
  });
  return text;
}

// Field index holds a value other than its default.
template <const auto& kind, std::size_t index, class Settings>
bool isSet(const Settings& s, const Settings& initial) {
  constexpr const auto& f = std::get<index>(kind.fields);
  return s.*f.member != initial.*f.member;
}

// Whether an option that field index is not owned by sets it: its own
// field holds no default.
template <const auto& kind, std::size_t index, std::size_t n = 0,
          class Settings>
bool setByAnother(const Settings& s, const Settings& initial) {
  if constexpr (kind.setBy(index, n) == 0) {
    return false;
  } else {
    return isSet<kind, kind.setBy(index, n) - 1>(s, initial) ||
           setByAnother<kind, index, n + 1>(s, initial);
  }
}

// The option that field index leads is written when a field it owns holds
// no default that another option sets.
template <const auto& kind, std::size_t index, class Settings>
bool needed(const Settings& s, const Settings& initial) {
  const bool here =
      isSet<kind, index>(s, initial) && !setByAnother<kind, index>(s, initial);
  if constexpr (kind.nextOwned(index) != 0) {
    return here || needed<kind, kind.nextOwned(index) - 1>(s, initial);
  } else {
    return here;
  }
}

// Whether every flag the option of the code sets is set.
template <const auto& kind, int code, std::size_t n = 0, class Settings>
bool allFlagsSet(const Settings& s) {
  if constexpr (kind.writes(code, n) == 0) {
    return true;
  } else {
    constexpr const auto& f = std::get<kind.writes(code, n) - 1>(kind.fields);
    static_assert(f.rule == FieldRule::flag, "a flag's option sets flags");
    return s.*f.member && allFlagsSet<kind, code, n + 1>(s);
  }
}

// Writes the option that field index leads, when it is needed.
template <const auto& kind, std::size_t index, class Settings>
void writeOption(CommandLineWriter& line, const Settings& s,
                 const Settings& initial) {
  constexpr const auto& f = std::get<index>(kind.fields);
  constexpr const auto& option = kind.option(f.codes[0]);
  using Unwritable = XelOptionsParser::Unwritable;
  if constexpr (kind.leads(index)) {
    const auto& value = s.*f.member;
    if (!needed<kind, index>(s, initial)) {
      return;
    }
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
      // Its option writes both sides: QUORVEL:APPLICATION.
      constexpr const auto& quorvel =
          std::get<kind.nextOwned(index) - 1>(kind.fields);
      static_assert(quorvel.rule == FieldRule::quorvelId);
      line.option(option, std::to_string(s.*quorvel.member) + ':' +
                              std::to_string(value));
    } else if (allFlagsSet<kind, f.codes[0]>(s)) {
      line.option(option);
    } else {
      // An option that sets two flags, with only one of them set.
      line.refuse(f.accessor, Unwritable::flagWithoutItsPair);
    }
  }
}

// The kind's canonical command line: each option at most once, in the order
// of the first field it writes, spelled as the vocabulary first lists it.
template <const auto& kind, class Settings, std::size_t... index>
XelOptionsParser::CommandLine writeCommandLine(const Settings& settings,
                                               std::index_sequence<index...>) {
  static const Settings initial{};
  CommandLineWriter line(sizeof...(index));
  (..., writeOption<kind, index>(line, settings, initial));
  return line.finish();
}

}  // namespace xelopts::detail

// A setter of a parser: the rule of the option of the code.
#define XELOPTS_SETTER(Parser, setter, code)                    \
  void Parser::setter(const std::string& text) {                \
    ::xelopts::detail::applyCode<kKind, code>(settings_, text); \
  }

// The members every parser defines alike from its kind (kKind and longNames
// in scope). A parser parses when parses holds (the scan parser's argv may
// be null); kept is where the parse keeps a value no accessor shows.
// NOLINTBEGIN(bugprone-macro-parentheses): names, not expressions
#define XELOPTS_PARSER_MEMBERS(Parser, parses, kept)                         \
  Parser::Parser(int argc, char** argv) {                                    \
    initMembers();                                                           \
    if (parses) {                                                            \
      initializeParser(argc, argv);                                          \
      parse(argc, argv);                                                     \
    }                                                                        \
  }                                                                          \
  Parser::Parser(int argc, char** argv, ParseReport& report) {               \
    ::xelopts::detail::clearReport(report);                                  \
    initMembers();                                                           \
    if (parses) {                                                            \
      initializeParser(argc, argv);                                          \
      parseInto(&report);                                                    \
    }                                                                        \
  }                                                                          \
  Parser::~Parser() = default;                                               \
  const XelOptionsParser::Vocabulary& Parser::vocabulary() {                 \
    return kKind.vocabulary;                                                 \
  }                                                                          \
  void Parser::initializeParser(int argc, char** argv) {                     \
    scanner_ = XelGetOpt(argc, argv, kKind.vocabulary.shortOptions);         \
    longNames.lendTo(scanner_);                                              \
  }                                                                          \
  void Parser::parse(int /*argc*/, char** /*argv*/) { parseInto(nullptr); }  \
  void Parser::parseInto(ParseReport* report) {                              \
    ::xelopts::detail::parseWith(                                            \
        scanner_, *this,                                                     \
        [](XelOptionsParser& parser, int code, const char* text,             \
           ::xelopts::detail::Effect* effect) {                              \
          auto& self = static_cast<Parser&>(parser);                         \
          return ::xelopts::detail::applyOption<kKind>(self.settings_, code, \
                                                       text, effect, kept);  \
        },                                                                   \
        report);                                                             \
  }                                                                          \
  Parser::Settings Parser::settings() const { return settings_; }            \
  XelOptionsParser::CommandLine Parser::commandLine(const Settings& s) {     \
    return ::xelopts::detail::writeCommandLine<kKind>(                       \
        s, std::make_index_sequence<kKind.fieldCount()>());                  \
  }                                                                          \
  bool Parser::Settings::operator==(const Settings& other) const {           \
    return ::xelopts::detail::equal<kKind>(*this, other);                    \
  }                                                                          \
  std::string Parser::Settings::description() const {                        \
    return ::xelopts::detail::describe<kKind>(*this);                        \
  }
// NOLINTEND(bugprone-macro-parentheses)

#endif  // XELOPTS_SRC_JOBKIND_H
