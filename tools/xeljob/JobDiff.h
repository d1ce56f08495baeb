// SPDX-License-Identifier: MIT
// Two job lines of a kind, side by side: the accessors whose values differ,
// with the words that set each side's value.
#ifndef XELJOB_JOBDIFF_H
#define XELJOB_JOBDIFF_H

#include <cstddef>
#include <string>
#include <vector>

#include "JobOutcome.h"

namespace xeljob {

struct Difference {
  std::size_t field;  // in the record
  // Per side: the steps that changed the field, in order (for an
  // accumulating value, each that appended); none for a default.
  std::vector<std::size_t> setBy[2];
};

struct JobDiff {
  std::vector<JobOutcome> sides;  // the two lines' outcomes, traced
  std::vector<Difference> differences;

  bool same() const { return differences.empty(); }
};

JobDiff diffJobs(const JobKind& kind, const std::vector<std::string>& first,
                 const std::vector<std::string>& second, bool posix);

}  // namespace xeljob

#endif  // XELJOB_JOBDIFF_H
