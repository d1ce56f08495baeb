// SPDX-License-Identifier: MIT
// Reads a fuzzer's bytes as a sequence of choices; past the end every
// choice is 0, so any input decodes to something.
#ifndef XELOPTS_FUZZ_FUZZINPUT_H
#define XELOPTS_FUZZ_FUZZINPUT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }

  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

  // A number in [0, bound).
  int below(int bound) { return bound <= 0 ? 0 : byte() % bound; }

  // Up to max_length bytes, NUL-free (a NUL ends the text early).
  std::string text(int max_length) {
    std::string out;
    const int length = below(max_length + 1);
    for (int i = 0; i < length && !empty(); ++i) {
      const char c = static_cast<char>(byte());
      if (c == '\0') {
        break;
      }
      out += c;
    }
    return out;
  }

  // The rest of the input as words separated by NUL bytes.
  std::vector<std::string> words(std::size_t max_words) {
    std::vector<std::string> out;
    std::string current;
    while (!empty() && out.size() < max_words) {
      const char c = static_cast<char>(byte());
      if (c == '\0') {
        out.push_back(current);
        current.clear();
      } else {
        current += c;
      }
    }
    if (!current.empty() && out.size() < max_words) {
      out.push_back(current);
    }
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Owns the texts of a vector in one block, each text preceded by its index,
// so that the checks after every scanning call cost O(words) at most.
class OwnedVector {
 public:
  explicit OwnedVector(const std::vector<std::string>& words) {
    std::size_t size = 0;
    for (const std::string& w : words) {
      size += sizeof(int) + w.size() + 1;
    }
    storage_.resize(size);
    std::size_t at = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
      const int index = static_cast<int>(i);
      std::memcpy(&storage_[at], &index, sizeof index);
      at += sizeof index;
      starts_.push_back(&storage_[at]);
      std::memcpy(&storage_[at], words[i].c_str(), words[i].size() + 1);
      at += words[i].size() + 1;
    }
    pointers_ = starts_;
    pointers_.push_back(nullptr);
    verified_ = pointers_;
    seen_.assign(words.size(), 0);
  }
  OwnedVector(const OwnedVector&) = delete;
  OwnedVector& operator=(const OwnedVector&) = delete;

  int argc() const { return static_cast<int>(starts_.size()); }
  char** argv() { return pointers_.data(); }
  // The vector in the order it was built.
  const std::vector<char*>& original() const { return starts_; }

  // The vector holds each original pointer exactly once, then the null.
  bool is_permutation() {
    const std::size_t bytes = pointers_.size() * sizeof(char*);
    if (std::memcmp(pointers_.data(), verified_.data(), bytes) == 0) {
      return true;  // unchanged since the last full check
    }
    ++epoch_;
    for (std::size_t i = 0; i < starts_.size(); ++i) {
      const int index = index_of(pointers_[i]);
      if (index < 0 || seen_[static_cast<std::size_t>(index)] == epoch_) {
        return false;
      }
      seen_[static_cast<std::size_t>(index)] = epoch_;
    }
    if (pointers_.back() != nullptr) {
      return false;
    }
    verified_ = pointers_;
    return true;
  }

  // The text lies inside one of the words, its NUL included.
  bool inside_a_word(const char* text) const {
    if (storage_.empty() || text < &storage_.front() ||
        text > &storage_.back()) {
      return false;
    }
    std::size_t low = 0;
    std::size_t high = starts_.size();
    while (high - low > 1) {
      const std::size_t mid = (low + high) / 2;
      (starts_[mid] <= text ? low : high) = mid;
    }
    return starts_[low] <= text &&
           text <= starts_[low] + std::strlen(starts_[low]);
  }

  // The texts are as built.
  bool texts_intact(const std::vector<std::string>& words) const {
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (words[i] != starts_[i]) {
        return false;
      }
    }
    return true;
  }

 private:
  int index_of(const char* p) const {
    if (p == nullptr || storage_.empty() ||
        p < &storage_.front() + sizeof(int) || p > &storage_.back()) {
      return -1;
    }
    int index = 0;
    std::memcpy(&index, p - sizeof(int), sizeof index);
    return index >= 0 && index < argc() &&
                   starts_[static_cast<std::size_t>(index)] == p
               ? index
               : -1;
  }

  std::vector<char> storage_;
  std::vector<char*> starts_;
  std::vector<char*> pointers_;
  std::vector<char*> verified_;  // the last order found to be a permutation
  std::vector<unsigned> seen_;
  unsigned epoch_ = 0;
};

#endif  // XELOPTS_FUZZ_FUZZINPUT_H
