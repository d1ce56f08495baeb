// SPDX-License-Identifier: MIT
#include "JobOutcome.h"

#include <cstdlib>
#include <utility>

namespace xeljob {
namespace {

// Parses the words (the kind's name before them) with the report given.
Record parseWords(const JobKind& kind, const std::vector<std::string>& words,
                  XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine& canonical) {
  std::string program = kind.name;
  std::vector<std::string> texts = words;
  std::vector<char*> vector;
  vector.reserve(texts.size() + 2);
  vector.push_back(program.data());
  for (std::string& text : texts) {
    vector.push_back(text.data());
  }
  vector.push_back(nullptr);
  return kind.parse(static_cast<int>(texts.size()) + 1, vector.data(), report,
                    canonical);
}

Record parseWords(const JobKind& kind, const std::vector<std::string>& words,
                  XelOptionsParser::ParseReport& report) {
  XelOptionsParser::CommandLine unused;
  return parseWords(kind, words, report, unused);
}

std::vector<Change> changesBetween(const Record& before, const Record& after) {
  std::vector<Change> changes;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (before[i].value != after[i].value) {
      changes.push_back({after[i].accessor, before[i].value, after[i].value});
    }
  }
  return changes;
}

Record defaultRecord(const JobKind& kind) {
  XelOptionsParser::ParseReport report;
  return parseWords(kind, {}, report);
}

// Follows the parse step by step: the record after each step against the
// one before it.
struct StepWatch {
  const JobKind& kind;
  Record before;
  std::vector<std::vector<Change>>& changes;

  static void onStep(void* context, const XelOptionsParser::ParseStep& /*step*/,
                     XelOptionsParser& parser) {
    auto& watch = *static_cast<StepWatch*>(context);
    Record after = watch.kind.read(parser);
    watch.changes.push_back(changesBetween(watch.before, after));
    watch.before = std::move(after);
  }
};

}  // namespace

JobOutcome runJob(const JobKind& kind, const std::vector<std::string>& words,
                  bool posix) {
  if (posix) {
    setenv("POSIXLY_CORRECT", "1", 1);
  } else {
    unsetenv("POSIXLY_CORRECT");
  }
  JobOutcome outcome{&kind, posix, words, {}, {}, {}, {}};
  StepWatch watch{kind, defaultRecord(kind), outcome.changes};
  outcome.report.onStep = &StepWatch::onStep;
  outcome.report.context = &watch;
  outcome.record = parseWords(kind, words, outcome.report, outcome.canonical);
  outcome.report.onStep = nullptr;
  outcome.report.context = nullptr;
  return outcome;
}

std::vector<std::string> accessorsChangedBy(
    const JobKind& kind, const XelOptionsParser::OptionSpec& option) {
  std::vector<std::string> words{option.name != nullptr
                                     ? std::string("-") + option.name
                                     : std::string("-") + option.code};
  if (option.kind == XelGetOpt::required_argument) {
    words.emplace_back("7:7");
  }
  XelOptionsParser::ParseReport report;
  std::vector<std::string> names;
  for (const Change& change :
       changesBetween(defaultRecord(kind), parseWords(kind, words, report))) {
    names.emplace_back(change.accessor);
  }
  return names;
}

}  // namespace xeljob
