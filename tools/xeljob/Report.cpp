// SPDX-License-Identifier: MIT
#include "Report.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "JsonWriter.h"
#include "OutcomeText.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

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

}  // namespace

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
  if (const auto* truth = std::get_if<bool>(&value)) {
    return *truth ? "true" : "false";
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return std::to_string(*number);
  }
  return std::to_string(std::get<std::uint64_t>(value));
}

namespace {

// A value, and how it was not taken as written: "12  (text after the number
// ignored)".
std::string markedValueText(const Value& value, unsigned conversions) {
  std::string text = valueText(value);
  if (conversions != 0) {
    text += "  (" + conversionWords(conversions) + ')';
  }
  return text;
}

// The trace's words for a step's rule and conversions: " (value not read,
// no colon)", or nothing.
std::string whyText(const XelOptionsParser::ParseStep& step) {
  std::string why;
  if (const char* rule = ruleWords(step.rule)) {
    why = rule;
  }
  const std::string conversions = conversionWords(step.conversions);
  if (!conversions.empty()) {
    why += (why.empty() ? "" : ", ") + conversions;
  }
  return why.empty() ? why : " (" + why + ')';
}

// What a step did, for people: for an option the values it changed (an
// accumulating one by what it appended) or that it changed nothing, and
// why; for an error its kind and its diagnostic.
std::string stepEffect(const JobOutcome& outcome, std::size_t index,
                       ChangeReplay& replay) {
  const XelOptionsParser::ParseStep& step = outcome.report.steps[index];
  std::string text;
  replay.step(index, [&](const Change& change, const Value* before) {
    text += text.empty() ? "" : ", ";
    text += std::string(outcome.fields[change.field].accessor) + ": ";
    text += before != nullptr
                ? valueText(*before) + " -> " + valueText(change.value)
                : "appended " + valueText(change.value);
  });
  if (step.outcome == XelOptionsParser::Outcome::changed && !text.empty()) {
    return text + whyText(step);
  }
  text = outcomeWords(step.outcome);
  if (const std::string* diagnostic = outcome.diagnosticOf(step)) {
    text += " (" + printable(*diagnostic) + ')';
  }
  return text + whyText(step);
}

}  // namespace

namespace {

void padTo(std::string& out, std::size_t from, std::size_t width) {
  const std::size_t used = out.size() - from;
  out.append(used < width ? width - used : 1, ' ');
}

std::string countText(std::size_t count, const char* noun) {
  return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

}  // namespace

namespace {

// A trace item: what the report says of the step, and its changes.
void traceStep(JsonWriter& json, const JobOutcome& outcome, std::size_t index,
               ChangeReplay& replay) {
  const XelOptionsParser::ParseStep& step = outcome.report.steps[index];
  const OptionSpec* option = findOption(*outcome.kind, step.code);
  json.beginObject(true);
  json.member("code", static_cast<std::int64_t>(step.code));
  json.member("option", option != nullptr
                            ? std::optional(optionSpelling(*option))
                            : std::nullopt);
  json.member("argument", step.argument);
  json.member("words", step.words);
  json.member("outcome", outcomeName(step.outcome));
  json.member("rule", ruleName(step.rule));
  json.member("conversions", conversionNames(step.conversions));
  json.member("diagnostic", outcome.diagnosticOf(step) != nullptr
                                ? std::optional<std::int64_t>(step.diagnostic)
                                : std::nullopt);
  json.key("changes");
  json.beginArray(true);
  replay.step(index, [&](const Change& change, const Value* before) {
    json.beginObject(true);
    json.member("accessor", outcome.fields[change.field].accessor);
    if (before != nullptr) {
      json.member("old", *before);
    }
    json.member(before != nullptr ? "new" : "appended", change.value);
    json.endObject();
  });
  json.endArray();
  json.endObject();
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
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    nameWidth = std::max(nameWidth, std::strlen(outcome.fields[i].accessor));
  }
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    const std::size_t start = out.size();
    out += "  ";
    out += outcome.fields[i].accessor;
    padTo(out, start, nameWidth + 5);
    out += markedValueText(outcome.record[i], outcome.conversions[i]);
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

  const std::vector<XelOptionsParser::ParseStep>& steps = outcome.report.steps;
  if (!outcome.otherConversions.empty()) {
    out += "other values not taken as written: " +
           std::to_string(outcome.otherConversions.size()) + '\n';
    for (const std::size_t i : outcome.otherConversions) {
      out += "  " + wordsText(steps[i].words) + "  (" +
             conversionWords(steps[i].conversions) + ")\n";
    }
  }

  if (withTrace) {
    out += "trace: code, words consumed, outcome\n";
    std::size_t wordsWidth = 0;
    for (const XelOptionsParser::ParseStep& step : steps) {
      wordsWidth = std::max(wordsWidth, wordsText(step.words).size());
    }
    wordsWidth = std::min<std::size_t>(wordsWidth, 32);
    ChangeReplay replay(outcome);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      std::size_t start = out.size();
      out += "  " + codeText(steps[i].code);
      padTo(out, start, 8);
      start = out.size();
      out += wordsText(steps[i].words);
      padTo(out, start, wordsWidth + 2);
      out += stepEffect(outcome, i, replay) + '\n';
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

void conversionsObject(JsonWriter& json, const JobOutcome& outcome,
                       bool compact) {
  json.beginObject(compact);
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    if (outcome.conversions[i] != 0) {
      json.member(outcome.fields[i].accessor,
                  conversionNames(outcome.conversions[i]));
    }
  }
  json.endObject();
}

void otherConversionsArray(JsonWriter& json, const JobOutcome& outcome,
                           bool compact) {
  json.beginArray(compact);
  for (const std::size_t i : outcome.otherConversions) {
    const XelOptionsParser::ParseStep& step = outcome.report.steps[i];
    json.beginObject(true);
    json.member("words", step.words);
    json.member("conversions", conversionNames(step.conversions));
    json.endObject();
  }
  json.endArray();
}

void outcomeMembers(JsonWriter& json, const JobOutcome& outcome, bool withTrace,
                    bool withCanonical) {
  json.member("job", outcome.kind->name);
  json.member("posix", outcome.posix);
  json.member("words", outcome.words);
  json.key("record");
  json.beginObject();
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    json.member(outcome.fields[i].accessor, outcome.record[i]);
  }
  json.endObject();
  json.key("conversions");
  conversionsObject(json, outcome, false);
  json.key("diagnostics");
  json.array(outcome.report.diagnostics, false);
  json.member("leftover", outcome.report.remaining);
  json.key("otherConversions");
  otherConversionsArray(json, outcome, false);
  const std::vector<XelOptionsParser::ParseStep>& steps = outcome.report.steps;
  if (withTrace) {
    ChangeReplay replay(outcome);
    json.key("trace");
    json.beginArray();
    for (std::size_t i = 0; i < steps.size(); ++i) {
      traceStep(json, outcome, i, replay);
    }
    json.endArray();
  }
  if (withCanonical) {
    json.member("canonical", outcome.canonical.words);
  }
  json.member("clean", outcome.clean());
  json.member("takenAsWritten", outcome.takenAsWritten());
}

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
    for (const auto* change = option.changes; change->accessor != nullptr;
         ++change) {
      changes += changes.empty() ? "" : ", ";
      changes += change->accessor;
    }
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
    json.key("changes");
    json.beginArray(true);
    for (const auto* change = option.changes; change->accessor != nullptr;
         ++change) {
      json.value(change->accessor);
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return out;
}

}  // namespace xeljob
