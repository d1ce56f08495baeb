// SPDX-License-Identifier: MIT
// An outcome as a table for people, and its canonical line.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "OutcomeText.h"
#include "Report.h"
#include "TableText.h"
#include "TextEscape.h"

namespace xeljob {
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

}  // namespace xeljob
