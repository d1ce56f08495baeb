// SPDX-License-Identifier: MIT
// Random scanner inputs on which XelGetOpt and the C library's getopt family
// must agree: option strings, long names that are never abbreviated, never
// written with "=" and never a prefix of one another, and vectors mixing
// clusters, long names, stray words, "--" and "-".
#ifndef XELOPTS_TESTS_DIFFERENTIAL_RANDOMCASE_H
#define XELOPTS_TESTS_DIFFERENTIAL_RANDOMCASE_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

enum class Wrapper {
  kGetopt,          // three-argument getopt
  kGetoptLong,      // getopt_long, double-dash long names
  kGetoptLongOnly,  // getopt_long_only through a caller's table
  kCallOperator,    // operator() after add_long_option: long-only mode
};

struct LongName {
  std::string name;
  int has_arg;   // 0, 1, or 2 (argument only with "=", which never occurs)
  bool flagged;  // the record stores val through a flag pointer
  int val;
};

enum class PosixlyCorrect { kAbsent, kEmpty, kSet };

struct RandomCase {
  Wrapper wrapper = Wrapper::kGetopt;
  PosixlyCorrect posixly = PosixlyCorrect::kAbsent;
  std::string optstring;
  std::vector<LongName> longs;
  std::vector<std::string> words;  // words[0] is the program name

  bool long_only() const {
    return wrapper == Wrapper::kGetoptLongOnly ||
           wrapper == Wrapper::kCallOperator;
  }
  std::string describe() const;
};

// Draws cases from a seeded engine, so a seed names a reproducible run.
class RandomCaseGenerator {
 public:
  explicit RandomCaseGenerator(std::uint64_t seed) : engine_(seed) {}
  RandomCase next(Wrapper wrapper, PosixlyCorrect posixly);

 private:
  int below(int bound);
  bool chance(int percent) { return below(100) < percent; }
  std::string make_optstring(std::vector<char>& letters, bool long_only);
  std::vector<LongName> make_longs(bool flags_allowed);
  std::string make_word(const RandomCase& c, const std::vector<char>& letters);
  std::string make_stray_word();

  std::mt19937_64 engine_;
};

// True when a single-dash option word reads the same in the C library's
// long-only mode, which matches abbreviations and tries long names only at
// the start of a word, and in XelGetOpt's, which matches whole names and
// tries them again inside a cluster.
bool same_in_long_only_modes(const std::string& word, const RandomCase& c);

#endif  // XELOPTS_TESTS_DIFFERENTIAL_RANDOMCASE_H
