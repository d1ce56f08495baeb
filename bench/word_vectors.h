// SPDX-License-Identifier: MIT
// The argument vectors the benchmarks scan. Scanning reorders the pointers,
// so every scan starts from a fresh copy of the pristine array.
#ifndef XELOPTS_BENCH_WORD_VECTORS_H
#define XELOPTS_BENCH_WORD_VECTORS_H

#include <string>
#include <vector>

namespace bench {

class WordVector {
 public:
  // words[0] is the program name.
  explicit WordVector(std::vector<std::string> words);
  WordVector(const WordVector&) = delete;
  WordVector& operator=(const WordVector&) = delete;

  int argc() const { return static_cast<int>(pristine_.size()) - 1; }
  // The working array restored to the original order, null-terminated.
  char** fresh();
  const std::vector<char*>& pristine() const { return pristine_; }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pristine_;
  std::vector<char*> working_;
};

// The backup job line of the library's documentation:
// -j 812 -a 5:57 -cn client01 -vm vm07 -t 1 -phase 4 -restart 12 -data
// -numstreams 3 -rbs extra
std::vector<std::string> typical_backup_words();

// Typical restore and scan job lines, as a launcher writes them:
// -j 100000 -a 5:57 -cn client00 -maHostName ma00 -jt token-100000 -rbs 1
// -dctm, and -j 100000 -a 5:57 -cn client00 -o 30 -restart 10 -d ma01 -t 2
std::vector<std::string> typical_restore_words();
std::vector<std::string> typical_scan_words();

// A backup job line with every word of the vocabulary once (-J standing for
// -j), each option with a value of its own, and a leftover word: the peers
// of BackupOptionsParser must fill the same record from it.
std::vector<std::string> every_backup_option_words();

// `count` option words: long names with values, short options with attached
// and separate values, clusters. No stray word, no error.
std::vector<std::string> long_option_words(int count);

// `count` words alternating a stray word and a one-word option, starting
// with a stray word: every option makes the scan move the gathered block.
std::vector<std::string> permutation_heavy_words(int count);

}  // namespace bench

#endif  // XELOPTS_BENCH_WORD_VECTORS_H
