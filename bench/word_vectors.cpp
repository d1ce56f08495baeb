// SPDX-License-Identifier: MIT
#include "word_vectors.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <utility>

namespace bench {

WordVector::WordVector(std::vector<std::string> words)
    : words_(std::move(words)) {
  pristine_.reserve(words_.size() + 1);
  for (std::string& word : words_) {
    pristine_.push_back(word.data());
  }
  pristine_.push_back(nullptr);
  working_ = pristine_;
}

char** WordVector::fresh() {
  std::copy(pristine_.begin(), pristine_.end(), working_.begin());
  return working_.data();
}

std::vector<std::string> typical_backup_words() {
  return {"backup", "-j",    "812",         "-a", "5:57",   "-cn",  "client01",
          "-vm",    "vm07",  "-t",          "1",  "-phase", "4",    "-restart",
          "12",     "-data", "-numstreams", "3",  "-rbs",   "extra"};
}

std::vector<std::string> typical_restore_words() {
  return {"restore",      "-j",       "100000",      "-a",   "5:57",
          "-cn",          "client00", "-maHostName", "ma00", "-jt",
          "token-100000", "-rbs",     "1",           "-dctm"};
}

std::vector<std::string> typical_scan_words() {
  return {"scan", "-j",       "100000", "-a", "5:57", "-cn", "client00", "-o",
          "30",   "-restart", "10",     "-d", "ma01", "-t",  "2"};
}

std::vector<std::string> every_backup_option_words() {
  std::istringstream line(
      "backup -J 9 -a 3:41 -p 77 -t 2 -o 5 -cn client02 -vm vm01 -VM vm02 "
      "-jt token-7 -data -logs -differential -phase 3 -restart 30 -d ma01 "
      "-skipconversionrules -integcheck -rbs -numstreams 4 -alwayson -dctm "
      "-TLToSnap leftover");
  return {std::istream_iterator<std::string>(line),
          std::istream_iterator<std::string>()};
}

std::vector<std::string> long_option_words(int count) {
  // A mix of every way an option is written; x, y and z take no value.
  static const std::vector<std::vector<std::string>> groups = {
      {"-cn", "client01"},
      {"-j", "812"},
      {"-xyz"},
      {"--vm", "vm07"},
      {"-t1"},
      {"-data"},
      {"-a", "5:57"},
      {"-xj", "77"},
      {"-phase", "4"},
      {"-zy"},
      {"--numstreams", "3"},
      {"-restart", "12"},
      {"-rbs"},
      {"-d", "ma01"},
      {"-o5"},
      {"--jt", "token-0042"},
      {"-differential"},
      {"-J", "9"}};
  std::vector<std::string> words = {"backup"};
  const auto wanted = static_cast<std::size_t>(count) + 1;
  for (std::size_t g = 0; words.size() < wanted; ++g) {
    const auto& group = groups[g % groups.size()];
    if (words.size() + group.size() > wanted) {
      words.emplace_back("-x");
      continue;
    }
    words.insert(words.end(), group.begin(), group.end());
  }
  return words;
}

std::vector<std::string> permutation_heavy_words(int count) {
  static const std::vector<std::string> options = {"-x",   "-data", "-j5",
                                                   "-xyz", "-rbs",  "-t1"};
  std::vector<std::string> words = {"backup"};
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) {
      words.push_back("file" + std::to_string(i / 2));
    } else {
      words.push_back(
          options[static_cast<std::size_t>(i / 2) % options.size()]);
    }
  }
  return words;
}

}  // namespace bench
