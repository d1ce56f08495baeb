// SPDX-License-Identifier: MIT
// Counts texts in bounded memory: exactly while there are at most
// `capacity` different ones; past that, the least counted gives way to a
// new text, which inherits its count (the Space-Saving scheme). Every text
// seen more often than total / capacity times is kept then, its count an
// upper bound.
#ifndef XELJOB_FREQUENTTEXTS_H
#define XELJOB_FREQUENTTEXTS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace xeljob {

class FrequentTexts {
 public:
  explicit FrequentTexts(std::size_t capacity) : capacity_(capacity) {}

  void add(const std::string& text);
  // At most `count` texts, the most frequent first (equal counts in byte
  // order).
  std::vector<std::pair<std::string, std::uint64_t>> mostFrequent(
      std::size_t count) const;
  // No text ever gave way: every count is exact.
  bool exact() const { return exact_; }

 private:
  std::size_t capacity_;
  std::unordered_map<std::string, std::uint64_t> counts_;
  bool exact_ = true;
};

}  // namespace xeljob

#endif  // XELJOB_FREQUENTTEXTS_H
