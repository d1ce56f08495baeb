// SPDX-License-Identifier: MIT
#include "BatchSummary.h"

#include <algorithm>
#include <cstddef>

#include "OutcomeText.h"
#include "TableText.h"
#include "TextEscape.h"

namespace xeljob {
namespace {

using Outcome = XelOptionsParser::Outcome;

// Different texts counted exactly; unknown options are whatever the lines
// hold, so their number is bounded here, and so is each text.
constexpr std::size_t kDistinctTexts = 1024;
constexpr std::size_t kTextBytes = 64;
constexpr std::size_t kMostFrequent = 10;

// An unknown option as written, without a value after '='.
std::string optionWord(const XelOptionsParser::ParseStep& step) {
  const std::string& word = step.words.empty() ? std::string() : step.words[0];
  return word.substr(0, std::min(word.find('='), kTextBytes));
}

void countLine(std::string& out, const char* label, std::uint64_t count,
               const std::string& note = {}) {
  out += padded(label, 22) + std::to_string(count) +
         (note.empty() ? "" : "  " + note) + '\n';
}

void frequentLines(std::string& out, const char* title,
                   const FrequentTexts& texts) {
  const auto top = texts.mostFrequent(kMostFrequent);
  if (top.empty()) {
    return;
  }
  out += std::string(title) +
         (texts.exact()
              ? ":\n"
              : " (counts are upper bounds: more than " +
                    std::to_string(kDistinctTexts) + " different ones):\n");
  std::size_t width = 0;
  for (const auto& entry : top) {
    width = std::max(width, printable(entry.first).size());
  }
  for (const auto& entry : top) {
    out += "  " + padded(printable(entry.first), width + 2) +
           std::to_string(entry.second) + '\n';
  }
}

}  // namespace

BatchSummary::BatchSummary()
    : unknownOptions_(kDistinctTexts), conversions_(kDistinctTexts) {}

void BatchSummary::add(const JobOutcome& outcome) {
  ++lines_;
  bool errors = false;
  for (const XelOptionsParser::ParseStep& step : outcome.report.steps) {
    errors = errors || step.isError();
    if (step.outcome == Outcome::unknownOption ||
        step.outcome == Outcome::unknownLetter) {
      unknownOptions_.add(optionWord(step));
    }
    if (step.conversions != 0) {
      const OptionSpec* entry = findOption(*outcome.kind, step.code);
      const std::string option =
          (entry != nullptr ? optionSpelling(*entry)
                            : std::to_string(step.code)) +
          ' ';
      for (const char* name : conversionNames(step.conversions)) {
        conversions_.add(option + name);
      }
    }
  }
  const bool asWritten = outcome.report.isTakenAsWritten();
  const bool leftOver = !outcome.report.remaining.empty();
  clean_ += !errors && asWritten && !leftOver ? 1 : 0;
  notAsWritten_ += asWritten ? 0 : 1;
  withErrors_ += errors ? 1 : 0;
  leftOver_ += leftOver ? 1 : 0;
}

void BatchSummary::addUnsplit() {
  ++lines_;
  ++withErrors_;
  ++unsplit_;
}

std::string BatchSummary::text() const {
  std::string out;
  countLine(out, "lines read", lines_ + skipped_);
  if (skipped_ != 0) {
    countLine(out, "skipped", skipped_, "(blank or comment only)");
  }
  countLine(out, "clean", clean_);
  countLine(out, "not taken as written", notAsWritten_);
  countLine(out, "with errors", withErrors_,
            unsplit_ == 0
                ? std::string()
                : "(" + std::to_string(unsplit_) + " not split into words)");
  countLine(out, "with words left over", leftOver_);
  if (notUtf8_ != 0) {
    countLine(out, "not UTF-8", notUtf8_, "(parsed, their bytes kept)");
  }
  frequentLines(out, "most frequent unknown options", unknownOptions_);
  frequentLines(out, "most frequent conversions", conversions_);
  return out;
}

}  // namespace xeljob
