// SPDX-License-Identifier: MIT
// A job kind's vocabulary, as a table or as JSON: each option with what it
// takes, its code and the accessors whose values it changes.
#include <algorithm>
#include <cstring>

#include "Report.h"
#include "TableText.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

const char* kindName(XelGetOpt::ParamType kind) {
  return kind == XelGetOpt::no_argument         ? "no_argument"
         : kind == XelGetOpt::required_argument ? "required_argument"
                                                : "other";
}

// The accessors of the fields the option changes, in the record's order.
std::vector<const char*> changedAccessors(const OptionSpec& option) {
  std::vector<const char*> accessors;
  for (const auto* change = option.changes; change->accessor != nullptr;
       ++change) {
    accessors.push_back(change->accessor);
  }
  return accessors;
}

}  // namespace

std::string vocabularyTable(const JobKind& kind) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  std::size_t longNames = 0;
  std::size_t optionWidth = std::strlen("option");
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    longNames += option.name != nullptr ? 1 : 0;
    optionWidth = std::max(optionWidth, optionSpelling(option).size());
  }
  std::string out = std::string(kind.name) + " vocabulary: short options " +
                    quoted(vocabulary.shortOptions) + " and " +
                    countText(longNames, "long name") + '\n';
  const auto row = [&](const std::string& option, const std::string& value,
                       const std::string& code, const std::string& changes) {
    out += padded("  " + option, optionWidth + 4) + padded(value, 19) +
           padded(code, 6) + changes + '\n';
  };
  row("option", "value", "code", "changes");
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    const std::string changes =
        joined(changedAccessors(option), ", ",
               [](const char* accessor) { return std::string(accessor); });
    row(optionSpelling(option), kindName(option.kind), codeText(option.code),
        changes.empty() ? "(no accessor)" : changes);
  }
  return out;
}

std::string vocabularyJson(const JobKind& kind) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  std::string out;
  JsonWriter json(out);
  json.beginObject();
  json.member("job", kind.name);
  json.member("shortOptions", vocabulary.shortOptions);
  json.key("options");
  json.beginArray();
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    json.beginObject(true);
    json.member("option", optionSpelling(option));
    json.member("long", option.name != nullptr);
    json.member("kind", kindName(option.kind));
    json.member("code", static_cast<std::int64_t>(option.code));
    json.member("changes", changedAccessors(option));
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return out;
}

}  // namespace xeljob
