// SPDX-License-Identifier: MIT
// An outcome as a table for people, and its canonical line.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "OutcomeText.h"
#include "Report.h"
#include "TableText.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

using ParseStep = XelOptionsParser::ParseStep;

// The trace's words for a step's rule and conversions: " (value not read,
// no colon)", or nothing. The conversions of an option that assigned two
// fields go by field: " (getQuorvelId: text after the number ignored)".
std::string whyText(const JobOutcome& outcome, const ParseStep& step) {
  const char* rule = ruleTexts(step.rule).words;
  std::string why = rule != nullptr ? rule : "";
  const auto add = [&why](const std::string& part, const char* separator) {
    if (!part.empty()) {
      why += (why.empty() ? "" : separator) + part;
    }
  };
  if (step.assigned.count() <= 1) {
    add(conversionWords(step.conversions), ", ");
  } else {
    forEachAssigned(step, [&](std::size_t field, unsigned conversions) {
      if (conversions != 0) {
        add(std::string(outcome.fields[field].accessor) + ": " +
                conversionWords(conversions),
            "; ");
      }
    });
  }
  return why.empty() ? why : " (" + why + ')';
}

// What a step did, for people: for an option the values it changed (an
// appending one by what it appended) or that it changed nothing, and why;
// for an error its kind and its diagnostic.
std::string stepEffect(const JobOutcome& outcome, std::size_t index,
                       ChangeReplay& replay) {
  const ParseStep& step = outcome.report.steps[index];
  std::string text;
  replay.step(index, [&](const Change& change, const Value* before) {
    text += text.empty() ? "" : ", ";
    text += std::string(outcome.fields[change.field].accessor) + ": ";
    text += before != nullptr
                ? valueText(*before) + " -> " + valueText(change.value)
                : "appended " + valueText(change.value);
  });
  if (step.outcome != XelOptionsParser::Outcome::changed || text.empty()) {
    text = outcomeTexts(step.outcome).words;
    if (const std::string* diagnostic = outcome.diagnosticOf(step)) {
      text += " (" + printable(*diagnostic) + ')';
    }
  }
  return text + whyText(outcome, step);
}

void recordRows(std::string& out, const JobOutcome& outcome) {
  out += "record\n";
  std::size_t nameWidth = 0;
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    nameWidth = std::max(nameWidth, std::strlen(outcome.fields[i].accessor));
  }
  for (std::size_t i = 0; i < outcome.record.size(); ++i) {
    out +=
        padded(std::string("  ") + outcome.fields[i].accessor, nameWidth + 5) +
        markedText(valueText(outcome.record[i]), outcome.conversions[i]) + '\n';
  }
}

void traceRows(std::string& out, const JobOutcome& outcome) {
  const std::vector<ParseStep>& steps = outcome.report.steps;
  out += "trace: code, words consumed, outcome\n";
  std::size_t wordsWidth = 0;
  for (const ParseStep& step : steps) {
    wordsWidth = std::max(wordsWidth, wordsText(step.words).size());
  }
  wordsWidth = std::min<std::size_t>(wordsWidth, 32);
  ChangeReplay replay(outcome);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    out += padded("  " + codeText(steps[i].code), 8) +
           padded(wordsText(steps[i].words), wordsWidth + 2) +
           stepEffect(outcome, i, replay) + '\n';
  }
}

}  // namespace

std::string outcomeTable(const JobOutcome& outcome, bool withTrace) {
  std::string out =
      std::string(outcome.kind->name) + " job, " +
      countText(outcome.words.size(), "word") +
      (outcome.posix ? ", POSIXLY_CORRECT: the first stray word ends the "
                       "options\n"
                     : ", options and stray words in any order\n");
  recordRows(out, outcome);
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
  if (!outcome.otherConversions.empty()) {
    out += "other values not taken as written: " +
           std::to_string(outcome.otherConversions.size()) + '\n';
    for (const std::size_t i : outcome.otherConversions) {
      const ParseStep& step = outcome.report.steps[i];
      out += "  " + markedText(wordsText(step.words), step.conversions) + '\n';
    }
  }
  if (withTrace) {
    traceRows(out, outcome);
  }
  return out;
}

std::string canonicalLine(const JobOutcome& outcome) {
  return joined(outcome.canonical.words, " ", shellWord) + '\n';
}

}  // namespace xeljob
