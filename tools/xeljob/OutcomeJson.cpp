// SPDX-License-Identifier: MIT
// An outcome as JSON members.
#include <cstddef>
#include <optional>

#include "OutcomeText.h"
#include "Report.h"

namespace xeljob {
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
  json.member("outcome", outcomeTexts(step.outcome).name);
  json.member("rule", ruleTexts(step.rule).name);
  json.member("conversions", conversionNames(step.conversions));
  json.key("fieldConversions");
  json.beginObject(true);
  forEachAssigned(step, [&](std::size_t field, unsigned conversions) {
    if (conversions != 0) {
      json.member(outcome.fields[field].accessor, conversionNames(conversions));
    }
  });
  json.endObject();
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
  if (withTrace) {
    ChangeReplay replay(outcome);
    json.key("trace");
    json.beginArray();
    for (std::size_t i = 0; i < outcome.report.steps.size(); ++i) {
      traceStep(json, outcome, i, replay);
    }
    json.endArray();
  }
  if (withCanonical) {
    json.member("canonical", outcome.canonical.words);
  }
  json.member("clean", outcome.report.isClean());
  json.member("takenAsWritten", outcome.report.isTakenAsWritten());
}

}  // namespace xeljob
