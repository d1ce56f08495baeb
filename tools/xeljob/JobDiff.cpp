// SPDX-License-Identifier: MIT
#include "JobDiff.h"

namespace xeljob {

JobDiff diffJobs(const JobKind& kind, const std::vector<std::string>& first,
                 const std::vector<std::string>& second, bool posix) {
  JobDiff diff;
  diff.sides.push_back(runJob(kind, first, posix, true));
  diff.sides.push_back(runJob(kind, second, posix, true));
  const Record& record = diff.sides[0].record;
  for (std::size_t field = 0; field < record.size(); ++field) {
    if (record[field] == diff.sides[1].record[field]) {
      continue;
    }
    Difference difference{field, {}};
    for (std::size_t side = 0; side < 2; ++side) {
      for (const Change& change : diff.sides[side].changes) {
        if (change.field == field) {
          difference.setBy[side].push_back(change.step);
        }
      }
    }
    diff.differences.push_back(std::move(difference));
  }
  return diff;
}

}  // namespace xeljob
