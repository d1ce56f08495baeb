// SPDX-License-Identifier: MIT
#include "OptionEffects.h"

#include <utility>

namespace xeljob {
namespace {

using OptionSpec = XelOptionsParser::OptionSpec;

// The second text is the first followed by more.
bool runsOn(const Value& once, const Value& twice) {
  const auto* first = std::get_if<std::string>(&once);
  const auto* second = std::get_if<std::string>(&twice);
  return first != nullptr && second != nullptr &&
         second->size() > first->size() &&
         second->compare(0, first->size(), *first) == 0;
}

}  // namespace

std::string optionSpelling(const OptionSpec& option) {
  return option.name != nullptr ? std::string("-") + option.name
                                : std::string("-") + option.code;
}

OptionEffects::OptionEffects(const JobKind& kind) : kind_(&kind) {
  XelOptionsParser::ParseReport report;
  defaults_ = parseWords(kind, {}, report);
  accumulates_.assign(defaults_.size(), false);
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& entry = vocabulary.options[i];
    Option option{entry.code,
                  optionSpelling(entry),
                  entry.kind == XelGetOpt::required_argument,
                  {}};
    const std::vector<std::string> words = option.words("7:7");
    const Record once = parseWords(kind, words, report);
    std::vector<std::string> doubled = words;
    doubled.insert(doubled.end(), words.begin(), words.end());
    const Record twice = parseWords(kind, doubled, report);
    for (std::size_t field = 0; field < defaults_.size(); ++field) {
      if (once[field].value != defaults_[field].value) {
        option.fields.push_back(field);
        if (runsOn(once[field].value, twice[field].value)) {
          accumulates_[field] = true;
        }
      }
    }
    options_.push_back(std::move(option));
  }
}

std::vector<std::string> OptionEffects::Option::words(
    const std::string& argument) const {
  if (takesValue) {
    return {spelling, argument};
  }
  return {spelling};
}

const OptionEffects::Option* OptionEffects::find(int code) const {
  for (const Option& option : options_) {
    if (option.code == code) {
      return &option;
    }
  }
  return nullptr;
}

const std::string* OptionEffects::spellingOf(int code) const {
  const Option* option = find(code);
  return option != nullptr ? &option->spelling : nullptr;
}

const std::vector<std::size_t>& OptionEffects::fieldsOf(int code) const {
  static const std::vector<std::size_t> kNone;
  const Option* option = find(code);
  return option != nullptr ? option->fields : kNone;
}

std::string OptionEffects::appendedBy(int code, const std::string& argument,
                                      std::size_t field) const {
  const Option* option = find(code);
  if (option == nullptr) {
    return {};
  }
  Value alone = parseWordsField(*kind_, option->words(argument), field);
  auto* text = std::get_if<std::string>(&alone);
  return text != nullptr ? std::move(*text) : std::string();
}

}  // namespace xeljob
