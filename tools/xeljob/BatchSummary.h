// SPDX-License-Identifier: MIT
// What a run over many job lines found, counted as it goes in memory that
// does not grow with the lines: how many were clean, not taken as written,
// with errors or with words left over, and the most frequent unknown
// options and conversions.
#ifndef XELJOB_BATCHSUMMARY_H
#define XELJOB_BATCHSUMMARY_H

#include <cstdint>
#include <string>

#include "FrequentTexts.h"
#include "JobOutcome.h"

namespace xeljob {

class BatchSummary {
 public:
  BatchSummary();

  void add(const JobOutcome& outcome);
  // A line that could not be split into words (or read as a line).
  void addUnsplit();
  // A line with bytes that are not UTF-8, parsed all the same.
  void addNotUtf8() { ++notUtf8_; }
  // A line with no word, blank or a comment.
  void addSkipped() { ++skipped_; }

  // Every line but those skipped clean, and every value taken as written.
  bool allClean() const { return clean_ == lines_; }
  // The summary for people, one item a line.
  std::string text() const;

 private:
  std::uint64_t lines_ = 0;  // not counting those skipped
  std::uint64_t clean_ = 0;
  std::uint64_t notAsWritten_ = 0;
  std::uint64_t withErrors_ = 0;
  std::uint64_t unsplit_ = 0;
  std::uint64_t leftOver_ = 0;
  std::uint64_t notUtf8_ = 0;
  std::uint64_t skipped_ = 0;
  FrequentTexts unknownOptions_;
  FrequentTexts conversions_;
};

}  // namespace xeljob

#endif  // XELJOB_BATCHSUMMARY_H
