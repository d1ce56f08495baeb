// SPDX-License-Identifier: MIT
#include "FrequentTexts.h"

#include <algorithm>

namespace xeljob {

void FrequentTexts::add(const std::string& text) {
  const auto found = counts_.find(text);
  if (found != counts_.end()) {
    ++found->second;
    return;
  }
  if (counts_.size() < capacity_) {
    counts_.emplace(text, 1);
    return;
  }
  exact_ = false;
  if (capacity_ == 0) {
    return;
  }
  const auto least = std::min_element(
      counts_.begin(), counts_.end(),
      [](const auto& a, const auto& b) { return a.second < b.second; });
  const std::uint64_t count = least->second + 1;
  counts_.erase(least);
  counts_.emplace(text, count);
}

std::vector<std::pair<std::string, std::uint64_t>> FrequentTexts::mostFrequent(
    std::size_t count) const {
  std::vector<std::pair<std::string, std::uint64_t>> all(counts_.begin(),
                                                         counts_.end());
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  all.resize(std::min(count, all.size()));
  return all;
}

}  // namespace xeljob
