// SPDX-License-Identifier: MIT
#include "OptionEffects.h"

#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

namespace xeljob {

using OptionSpec = XelOptionsParser::OptionSpec;

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
    Option option{entry.code, optionSpelling(entry), {}};
    for (const XelOptionsParser::Change* change = entry.changes;
         change->accessor != nullptr; ++change) {
      const std::size_t field = fieldNamed(change->accessor);
      option.fields.push_back(field);
      accumulates_[field] = accumulates_[field] || change->appends;
    }
    options_.push_back(std::move(option));
  }
}

const OptionEffects& OptionEffects::of(const JobKind& kind) {
  static std::map<const JobKind*, OptionEffects> made;
  auto at = made.find(&kind);
  if (at == made.end()) {
    at = made.emplace(&kind, OptionEffects(kind)).first;
  }
  return at->second;
}

std::size_t OptionEffects::fieldNamed(const char* accessor) const {
  for (std::size_t field = 0; field < defaults_.size(); ++field) {
    if (std::strcmp(defaults_[field].accessor, accessor) == 0) {
      return field;
    }
  }
  throw std::logic_error(std::string("no accessor ") + accessor);
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

}  // namespace xeljob
