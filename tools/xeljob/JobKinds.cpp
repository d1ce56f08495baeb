// SPDX-License-Identifier: MIT
#include "JobKinds.h"

#include <iterator>
#include <type_traits>

namespace xeljob {
namespace {

template <class Parser>
Record parseAs(int argc, char** argv, XelOptionsParser::ParseReport& report,
               XelOptionsParser::CommandLine* canonical) {
  Parser parser(argc, argv, report);
  if (canonical != nullptr) {
    *canonical = Parser::commandLine(parser.settings());
  }
  Record record;
  const int count = Parser::fields().count;
  record.reserve(static_cast<std::size_t>(count));
  for (int field = 0; field < count; ++field) {
    record.push_back(keptValue(parser.fieldValue(field)));
  }
  return record;
}

template <class Parser>
constexpr JobKind kindOf(const char* name) {
  return {name, &Parser::vocabulary, &Parser::fields, &parseAs<Parser>};
}

const JobKind kJobKinds[] = {
    kindOf<BackupOptionsParser>("backup"),
    kindOf<RestoreOptionsParser>("restore"),
    kindOf<ScanOptionsParser>("scan"),
};

}  // namespace

Value keptValue(const FieldValue& value) {
  return std::visit(
      [](const auto& held) -> Value {
        if constexpr (std::is_same_v<decltype(held), const std::string_view&>) {
          return std::string(held);
        } else {
          return held;
        }
      },
      value);
}

Record parseWords(const JobKind& kind, const std::vector<std::string>& words,
                  XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine* canonical) {
  // The parser's vector points at the words: the scan reorders the
  // pointers only, never the texts, so nothing is copied.
  std::vector<char*> argv;
  argv.reserve(words.size() + 2);
  argv.push_back(const_cast<char*>(kind.name));
  for (const std::string& word : words) {
    argv.push_back(const_cast<char*>(word.c_str()));
  }
  argv.push_back(nullptr);
  return kind.parse(static_cast<int>(argv.size()) - 1, argv.data(), report,
                    canonical);
}

std::string optionSpelling(const OptionSpec& option) {
  return option.name != nullptr ? std::string("-") + option.name
                                : std::string("-") + option.code;
}

const OptionSpec* findOption(const JobKind& kind, int code) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  for (int i = 0; i < vocabulary.count; ++i) {
    if (vocabulary.options[i].code == code) {
      return &vocabulary.options[i];
    }
  }
  return nullptr;
}

std::string jobKindNames() {
  std::string names;
  const std::size_t count = std::size(kJobKinds);
  for (std::size_t i = 0; i < count; ++i) {
    names += i == 0 ? "" : i + 1 == count ? " or " : ", ";
    names += kJobKinds[i].name;
  }
  return names;
}

const JobKind* findJobKind(const std::string& name) {
  for (const JobKind& kind : kJobKinds) {
    if (name == kind.name) {
      return &kind;
    }
  }
  return nullptr;
}

}  // namespace xeljob
