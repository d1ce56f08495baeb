// SPDX-License-Identifier: MIT
#include "Report.h"

#include <algorithm>
#include <cstddef>

#include "JsonWriter.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

using OptionSpec = XelOptionsParser::OptionSpec;

// The vocabulary entry of a code, or null when the parser has none.
const OptionSpec* findOption(const XelOptionsParser::Vocabulary& vocabulary,
                             int code) {
  for (int i = 0; i < vocabulary.count; ++i) {
    if (vocabulary.options[i].code == code) {
      return &vocabulary.options[i];
    }
  }
  return nullptr;
}

// How the option is written: "-j", or "-cn" (a long name takes one dash or
// two).
std::string spelling(const OptionSpec& option) {
  return option.name != nullptr ? std::string("-") + option.name
                                : std::string("-") + option.code;
}

const char* kindName(XelGetOpt::ParamType kind) {
  switch (kind) {
    case XelGetOpt::no_argument:
      return "no_argument";
    case XelGetOpt::required_argument:
      return "required_argument";
  }
  return "other";
}

std::string codeText(int code) {
  if (code > ' ' && code < 0x7F) {
    return std::string("'") + static_cast<char>(code) + "'";
  }
  return std::to_string(code);
}

// A word as it stands, or quoted when it is empty or needs escapes.
std::string wordText(const std::string& word) {
  const std::string shown = printable(word);
  const bool plain = !word.empty() && shown == word &&
                     word.find_first_of(" \"'") == std::string::npos;
  return plain ? word : quoted(word);
}

std::string wordsText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) {
      text += ' ';
    }
    text += wordText(word);
  }
  return text;
}

std::string valueText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return quoted(*text);
  }
  return job_records::valueText(value);
}

// The codes of the kind's options that no accessor shows (the restore
// job's "phase"): a step of theirs stores a value the record never shows.
std::vector<int> codesNoAccessorShows(const JobKind& kind) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  std::vector<int> codes;
  for (int i = 0; i < vocabulary.count; ++i) {
    if (accessorsChangedBy(kind, vocabulary.options[i]).empty()) {
      codes.push_back(vocabulary.options[i].code);
    }
  }
  return codes;
}

// What a step did to the record, for people.
std::string stepEffect(const XelOptionsParser::ParseStep& step,
                       const std::vector<Change>& changes,
                       const std::vector<int>& hiddenCodes) {
  if (step.code == -1) {
    return "end of options";
  }
  if (changes.empty()) {
    if (step.code == '?' || step.code == ':') {
      return "error, nothing changed";
    }
    return std::find(hiddenCodes.begin(), hiddenCodes.end(), step.code) !=
                   hiddenCodes.end()
               ? "no accessor shows this option"
               : "nothing changed";
  }
  std::string text;
  for (const Change& change : changes) {
    if (!text.empty()) {
      text += ", ";
    }
    text += std::string(change.accessor) + ": " + valueText(change.before) +
            " -> " + valueText(change.after);
  }
  return text;
}

void writeValue(JsonWriter& json, const Value& value) {
  std::visit([&json](const auto& held) { json.value(held); }, value);
}

void padTo(std::string& out, std::size_t from, std::size_t width) {
  const std::size_t used = out.size() - from;
  out.append(used < width ? width - used : 1, ' ');
}

std::string countText(std::size_t count, const char* noun) {
  return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

void stringArray(JsonWriter& json, const std::vector<std::string>& texts,
                 bool compact) {
  json.beginArray(compact);
  for (const std::string& text : texts) {
    json.value(text);
  }
  json.endArray();
}

}  // namespace

std::string outcomeTable(const JobOutcome& outcome, bool withTrace) {
  std::string out =
      std::string(outcome.kind->name) + " job, " +
      countText(outcome.words.size(), "word") +
      (outcome.posix ? ", POSIXLY_CORRECT: the first stray word ends the "
                       "options\n"
                     : ", options and stray words in any order\n");

  out += "record\n";
  std::size_t nameWidth = 0;
  for (const Field& field : outcome.record) {
    nameWidth =
        std::max(nameWidth, std::char_traits<char>::length(field.accessor));
  }
  for (const Field& field : outcome.record) {
    const std::size_t start = out.size();
    out += "  ";
    out += field.accessor;
    padTo(out, start, nameWidth + 5);
    out += valueText(field.value);
    out += '\n';
  }

  const std::vector<std::string>& diagnostics = outcome.report.diagnostics;
  out += "diagnostics: " +
         (diagnostics.empty() ? std::string("none")
                              : std::to_string(diagnostics.size())) +
         '\n';
  for (const std::string& line : diagnostics) {
    out += "  " + printable(line) + '\n';
  }

  const std::vector<std::string>& leftover = outcome.report.remaining;
  out += "left over: " +
         (leftover.empty() ? std::string("none")
                           : countText(leftover.size(), "word") + "\n  " +
                                 wordsText(leftover)) +
         '\n';

  if (withTrace) {
    const std::vector<XelOptionsParser::ParseStep>& steps = outcome.report.steps;
    out += "trace: code, words consumed, what changed\n";
    std::size_t wordsWidth = 0;
    for (const XelOptionsParser::ParseStep& step : steps) {
      wordsWidth = std::max(wordsWidth, wordsText(step.words).size());
    }
    wordsWidth = std::min<std::size_t>(wordsWidth, 32);
    const std::vector<int> hiddenCodes = codesNoAccessorShows(*outcome.kind);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      std::size_t start = out.size();
      out += "  " + codeText(steps[i].code);
      padTo(out, start, 8);
      start = out.size();
      out += wordsText(steps[i].words);
      padTo(out, start, wordsWidth + 2);
      out += stepEffect(steps[i], outcome.changes[i], hiddenCodes) + '\n';
    }
  }
  return out;
}

std::string canonicalLine(const JobOutcome& outcome) {
  std::string line;
  for (const std::string& word : outcome.canonical.words) {
    line += (line.empty() ? "" : " ") + shellWord(word);
  }
  return line + '\n';
}

std::string outcomeJson(const JobOutcome& outcome, bool withTrace,
                        bool withCanonical) {
  std::string out;
  JsonWriter json(out);
  json.beginObject();
  json.key("job");
  json.value(outcome.kind->name);
  json.key("posix");
  json.value(outcome.posix);
  json.key("words");
  stringArray(json, outcome.words, true);
  json.key("record");
  json.beginObject();
  for (const Field& field : outcome.record) {
    json.key(field.accessor);
    writeValue(json, field.value);
  }
  json.endObject();
  json.key("diagnostics");
  stringArray(json, outcome.report.diagnostics, false);
  json.key("leftover");
  stringArray(json, outcome.report.remaining, true);
  if (withTrace) {
    const XelOptionsParser::Vocabulary& vocabulary = outcome.kind->vocabulary();
    const std::vector<XelOptionsParser::ParseStep>& steps = outcome.report.steps;
    json.key("trace");
    json.beginArray();
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const XelOptionsParser::ParseStep& step = steps[i];
      json.beginObject(true);
      json.key("code");
      json.value(static_cast<std::int64_t>(step.code));
      json.key("option");
      const OptionSpec* option =
          step.code == -1 ? nullptr : findOption(vocabulary, step.code);
      if (option != nullptr) {
        json.value(spelling(*option));
      } else {
        json.null();
      }
      json.key("argument");
      if (step.argument) {
        json.value(*step.argument);
      } else {
        json.null();
      }
      json.key("words");
      stringArray(json, step.words, true);
      json.key("changes");
      json.beginArray(true);
      for (const Change& change : outcome.changes[i]) {
        json.beginObject(true);
        json.key("accessor");
        json.value(change.accessor);
        json.key("old");
        writeValue(json, change.before);
        json.key("new");
        writeValue(json, change.after);
        json.endObject();
      }
      json.endArray();
      json.endObject();
    }
    json.endArray();
  }
  if (withCanonical) {
    json.key("canonical");
    stringArray(json, outcome.canonical.words, true);
  }
  json.key("clean");
  json.value(outcome.clean());
  json.endObject();
  return out;
}

std::string vocabularyTable(const JobKind& kind) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  std::size_t longNames = 0;
  std::size_t optionWidth = std::char_traits<char>::length("option");
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    longNames += option.name != nullptr ? 1 : 0;
    optionWidth = std::max(optionWidth, spelling(option).size());
  }
  std::string out = std::string(kind.name) + " vocabulary: short options " +
                    quoted(vocabulary.shortOptions) + " and " +
                    countText(longNames, "long name") + '\n';
  const auto row = [&](const std::string& option, const std::string& value,
                       const std::string& code, const std::string& changes) {
    std::size_t start = out.size();
    out += "  " + option;
    padTo(out, start, optionWidth + 4);
    start = out.size();
    out += value;
    padTo(out, start, 19);
    start = out.size();
    out += code;
    padTo(out, start, 6);
    out += changes + '\n';
  };
  row("option", "value", "code", "changes");
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    std::string changes;
    for (const std::string& accessor : accessorsChangedBy(kind, option)) {
      changes += (changes.empty() ? "" : ", ") + accessor;
    }
    row(spelling(option), kindName(option.kind), codeText(option.code),
        changes.empty() ? "(no accessor)" : changes);
  }
  return out;
}

std::string vocabularyJson(const JobKind& kind) {
  const XelOptionsParser::Vocabulary& vocabulary = kind.vocabulary();
  std::string out;
  JsonWriter json(out);
  json.beginObject();
  json.key("job");
  json.value(kind.name);
  json.key("shortOptions");
  json.value(vocabulary.shortOptions);
  json.key("options");
  json.beginArray();
  for (int i = 0; i < vocabulary.count; ++i) {
    const OptionSpec& option = vocabulary.options[i];
    json.beginObject(true);
    json.key("option");
    json.value(spelling(option));
    json.key("long");
    json.value(option.name != nullptr);
    json.key("kind");
    json.value(kindName(option.kind));
    json.key("code");
    json.value(static_cast<std::int64_t>(option.code));
    json.key("changes");
    stringArray(json, accessorsChangedBy(kind, option), true);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return out;
}

}  // namespace xeljob
