// SPDX-License-Identifier: MIT
// --diff: two job lines, split as a shell splits them, compared accessor by
// accessor; then what either side did not take, or not as written.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "JobDiff.h"
#include "JsonWriter.h"
#include "Modes.h"
#include "OutcomeText.h"
#include "Report.h"
#include "ShellWords.h"
#include "TableText.h"
#include "ToolOutput.h"

namespace xeljob {
namespace {

using ParseStep = XelOptionsParser::ParseStep;

// The words a side did not take: errors, then the words left over.
std::vector<std::string> notTaken(const JobOutcome& outcome) {
  std::vector<std::string> lines;
  for (const ParseStep& step : outcome.report.steps) {
    if (step.isError()) {
      lines.push_back(wordsText(step.words) + "  (" +
                      outcomeTexts(step.outcome).words + ')');
    }
  }
  if (!outcome.report.remaining.empty()) {
    lines.push_back(wordsText(outcome.report.remaining) + "  (left over)");
  }
  return lines;
}

// The values a side did not take as written: the record's, then the
// others.
std::vector<std::string> notAsWritten(const JobOutcome& outcome) {
  std::vector<std::string> lines;
  for (std::size_t field = 0; field < outcome.record.size(); ++field) {
    if (outcome.conversions[field] != 0) {
      lines.push_back(markedText(std::string(outcome.fields[field].accessor) +
                                     ' ' + valueText(outcome.record[field]),
                                 outcome.conversions[field]));
    }
  }
  for (const std::size_t i : outcome.otherConversions) {
    const ParseStep& step = outcome.report.steps[i];
    lines.push_back(markedText(wordsText(step.words), step.conversions));
  }
  return lines;
}

// A section of side-labelled lines, or its title and "none".
std::string section(const char* title, const JobDiff& diff,
                    std::vector<std::string> (*linesOf)(const JobOutcome&)) {
  std::string lines;
  for (std::size_t side = 0; side < 2; ++side) {
    for (const std::string& line : linesOf(diff.sides[side])) {
      lines += "  line " + std::to_string(side + 1) + ": " + line + '\n';
    }
  }
  return std::string(title) + (lines.empty() ? ": none\n" : "\n" + lines);
}

std::string setByText(const JobOutcome& outcome,
                      const std::vector<std::size_t>& steps) {
  return steps.empty() ? "(default)"
                       : "set by " + joined(steps, ", ", [&](std::size_t i) {
                           return wordsText(outcome.report.steps[i].words);
                         });
}

std::string diffTable(const JobDiff& diff) {
  const JobOutcome& first = diff.sides[0];
  std::string out =
      std::string(first.kind->name) + " job lines" +
      (first.posix ? ", POSIXLY_CORRECT present: " : ": ") +
      (diff.same()
           ? std::string("the same settings")
           : countText(diff.differences.size(), "accessor") +
                 (diff.differences.size() == 1 ? " differs" : " differ")) +
      '\n';
  for (const Difference& difference : diff.differences) {
    out += std::string(first.fields[difference.field].accessor) + '\n';
    const std::string values[2] = {
        valueText(diff.sides[0].record[difference.field]),
        valueText(diff.sides[1].record[difference.field])};
    const std::size_t width = std::max(values[0].size(), values[1].size());
    for (std::size_t side = 0; side < 2; ++side) {
      out += "  line " + std::to_string(side + 1) + ": " +
             padded(values[side], width + 2) +
             setByText(diff.sides[side], difference.setBy[side]) + '\n';
    }
  }
  out += section("words not taken", diff, notTaken);
  out += section("values not taken as written", diff, notAsWritten);
  return out;
}

// What a side did not take, or not as written, keyed as --json keys them.
void sideJson(JsonWriter& json, const JobOutcome& outcome) {
  const XelOptionsParser::ParseReport& report = outcome.report;
  json.beginObject();
  json.member("words", outcome.words);
  json.key("errors");
  json.beginArray();
  for (const ParseStep& step : report.steps) {
    if (step.isError()) {
      json.beginObject(true);
      json.member("words", step.words);
      json.member("outcome", outcomeTexts(step.outcome).name);
      json.key("diagnostic");
      const std::string* diagnostic = outcome.diagnosticOf(step);
      json.value(diagnostic != nullptr ? std::optional(*diagnostic)
                                       : std::nullopt);
      json.endObject();
    }
  }
  json.endArray();
  json.member("leftover", report.remaining);
  json.key("conversions");
  conversionsObject(json, outcome, true);
  json.key("otherConversions");
  otherConversionsArray(json, outcome, true);
  json.endObject();
}

std::string diffJson(const JobDiff& diff) {
  std::string out;
  JsonWriter json(out);
  json.beginObject();
  json.member("job", diff.sides[0].kind->name);
  json.member("posix", diff.sides[0].posix);
  json.member("same", diff.same());
  json.key("differences");
  json.beginArray();
  for (const Difference& difference : diff.differences) {
    json.beginObject(true);
    json.member("accessor", diff.sides[0].fields[difference.field].accessor);
    json.key("sides");
    json.beginArray();
    for (std::size_t side = 0; side < 2; ++side) {
      const JobOutcome& outcome = diff.sides[side];
      json.beginObject();
      json.member("value", outcome.record[difference.field]);
      json.key("setBy");
      json.beginArray();
      for (const std::size_t i : difference.setBy[side]) {
        json.array(outcome.report.steps[i].words, true);
      }
      json.endArray();
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.key("lines");
  json.beginArray();
  for (const JobOutcome& outcome : diff.sides) {
    sideJson(json, outcome);
  }
  json.endArray();
  json.endObject();
  return out;
}

}  // namespace

int runDiffMode(const JobKind& kind, const Request& request) {
  std::vector<std::string> words[2];
  for (std::size_t side = 0; side < 2; ++side) {
    ShellWords split = splitShellWords(request.words[side]);
    if (!split.error.empty()) {
      throw std::runtime_error("line " + std::to_string(side + 1) + ": " +
                               split.error);
    }
    words[side] = std::move(split.words);
  }
  const JobDiff diff = diffJobs(kind, words[0], words[1], request.posix);
  return writeOut(request.json ? diffJson(diff) : diffTable(diff),
                  diff.same() ? kClean : kReported);
}

}  // namespace xeljob
