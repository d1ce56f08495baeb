// SPDX-License-Identifier: MIT
#include "JobOutcome.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

namespace xeljob {
namespace {

using ParseStep = XelOptionsParser::ParseStep;

// Each field's default, kept.
Record defaults(const XelOptionsParser::FieldTable& fields) {
  Record values;
  for (const XelOptionsParser::FieldSpec& field : fields) {
    values.push_back(keptValue(field.initial));
  }
  return values;
}

// Each value's length, for a text; else 0.
std::vector<std::size_t> textLengths(const Record& values) {
  std::vector<std::size_t> lengths;
  for (const Value& value : values) {
    const auto* text = std::get_if<std::string>(&value);
    lengths.push_back(text != nullptr ? text->size() : 0);
  }
  return lengths;
}

// Follows a traced parse: reads only the fields a step assigned, keeping
// one value per field to tell which changed; of an appending field, only
// its length, so that what a step appended is the value's new tail.
struct StepWatch {
  const XelOptionsParser::FieldTable& fields;
  std::vector<Change>& changes;
  Record values = defaults(fields);
  std::vector<std::size_t> lengths = textLengths(values);  // each text's
  std::size_t index = 0;

  static void onStep(void* context, const ParseStep& step,
                     XelOptionsParser& parser) {
    auto& watch = *static_cast<StepWatch*>(context);
    forEachAssigned(step, [&](std::size_t field, unsigned /*conversions*/) {
      watch.note(field, parser.fieldValue(static_cast<int>(field)));
    });
    ++watch.index;
  }

  void note(std::size_t field, const FieldValue& now) {
    if (fields.fields[field].appends) {
      const auto text = std::get<std::string_view>(now);
      if (text.size() > lengths[field]) {
        changes.push_back(
            {index, field, std::string(text.substr(lengths[field]))});
      }
      lengths[field] = text.size();
    } else if (Value value = keptValue(now); value != values[field]) {
      changes.push_back({index, field, value});
      values[field] = std::move(value);
    }
  }
};

// Which steps' conversions each value of the record carries: those of its
// own part of the value of the last step that replaced it, or of every one
// that appended to it; and the steps with a conversion that no value
// carries. Taken from the last step back.
void attributeConversions(JobOutcome& outcome) {
  const std::vector<ParseStep>& steps = outcome.report.steps;
  outcome.conversions.assign(outcome.record.size(), 0);
  XelOptionsParser::FieldSet replacedLater;
  for (std::size_t i = steps.size(); i-- > 0;) {
    bool lost = steps[i].assigned.none() && steps[i].conversions != 0;
    forEachAssigned(steps[i], [&](std::size_t field, unsigned conversions) {
      if (outcome.fields[field].appends || !replacedLater[field]) {
        outcome.conversions[field] |= conversions;
      } else {
        lost = lost || conversions != 0;
      }
    });
    replacedLater |= steps[i].assigned;
    if (lost) {
      outcome.otherConversions.push_back(i);
    }
  }
  std::reverse(outcome.otherConversions.begin(),
               outcome.otherConversions.end());
}

}  // namespace

JobOutcome runJob(const JobKind& kind, std::vector<std::string> words,
                  bool posix, bool trace, bool canonical) {
  // Only when it changes: a run of many lines sets it once.
  if (posix != (std::getenv("POSIXLY_CORRECT") != nullptr)) {
    posix ? setenv("POSIXLY_CORRECT", "1", 1) : unsetenv("POSIXLY_CORRECT");
  }
  JobOutcome outcome;
  outcome.kind = &kind;
  outcome.fields = kind.fields().fields;
  outcome.posix = posix;
  outcome.words = std::move(words);
  std::optional<StepWatch> watch;
  if (trace) {
    watch.emplace(StepWatch{kind.fields(), outcome.changes});
    outcome.report.onStep = &StepWatch::onStep;
    outcome.report.context = &*watch;
  }
  outcome.record = parseWords(kind, outcome.words, outcome.report,
                              canonical ? &outcome.canonical : nullptr);
  outcome.report.onStep = nullptr;
  outcome.report.context = nullptr;
  attributeConversions(outcome);
  return outcome;
}

const std::string* JobOutcome::diagnosticOf(const ParseStep& step) const {
  const auto index = static_cast<std::size_t>(step.diagnostic);
  return step.isError() && step.diagnostic >= 0 &&
                 index < report.diagnostics.size()
             ? &report.diagnostics[index]
             : nullptr;
}

ChangeReplay::ChangeReplay(const JobOutcome& outcome)
    : outcome_(outcome), values_(defaults(outcome.kind->fields())) {}

}  // namespace xeljob
