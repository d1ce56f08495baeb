// What every job parser fuzz target shares: turning the input into a
// command line from the vocabularies and hostile values, and the checks that
// hold for any parser on any command line.
#ifndef XELOPTS_FUZZ_PARSERFUZZ_H
#define XELOPTS_FUZZ_PARSERFUZZ_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BackupOptionsParser.h"
#include "FuzzInput.h"
#include "Invariants.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "XelOptionsParser.h"

namespace parser_fuzz {

// Values that stress the conversions and the scanner: signs, spaces,
// overflow, option look-alikes, empty words.
inline const std::vector<std::string>& hostileValues() {
  static const std::vector<std::string> values = {
      "",
      "0",
      "1",
      "42",
      "-1",
      "+7",
      " 12",
      "12 ",
      "2147483648",
      "-2147483649",
      "18446744073709551615",
      "18446744073709551616",
      "99999999999999999999999",
      "0x1f",
      "5:57",
      ":",
      "7:",
      ":9",
      "1:2:3",
      "-5:-6",
      "-",
      "--",
      "-o",
      "-o ",
      "--cn=host",
      "stray",
      "a b",
      "\xc3\xa9t\xc3\xa9",
  };
  return values;
}

// The words one vocabulary offers: each short letter alone and with a value
// attached, each long name with one dash and with two.
inline void addVocabularyWords(const XelOptionsParser::Vocabulary& v,
                               std::vector<std::string>& words) {
  for (int i = 0; i < v.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = v.options[i];
    if (entry.name == nullptr) {
      words.push_back(std::string("-") + entry.code);
      words.push_back(std::string("-") + entry.code + "17");
    } else {
      words.push_back(std::string("-") + entry.name);
      words.push_back(std::string("--") + entry.name);
    }
  }
}

// The pool every parser target draws from: hostile values and the words of
// all three job vocabularies, so each parser also meets the others' words.
inline const std::vector<std::string>& jobPool() {
  static const std::vector<std::string> pool = [] {
    std::vector<std::string> words = hostileValues();
    addVocabularyWords(BackupOptionsParser::vocabulary(), words);
    addVocabularyWords(RestoreOptionsParser::vocabulary(), words);
    addVocabularyWords(ScanOptionsParser::vocabulary(), words);
    return words;
  }();
  return pool;
}

// Decodes the input into the words after "prog": each byte picks a word of
// the pool, and a byte with the top bit set takes a raw text from the input.
inline std::vector<std::string> commandLine(
    FuzzInput& in, const std::vector<std::string>& pool,
    std::size_t max_words) {
  std::vector<std::string> words{"prog"};
  while (!in.empty() && words.size() <= max_words) {
    const std::uint8_t pick = in.byte();
    if (pick & 0x80) {
      words.push_back(in.text(24));
    } else {
      words.push_back(pool[pick % pool.size()]);
    }
  }
  return words;
}

// Every text a parser may receive as a value from these words: a whole word,
// or the rest of a word after a letter inside a cluster.
inline std::vector<std::string> possibleValues(
    const std::vector<std::string>& words) {
  std::vector<std::string> values(words.begin() + 1, words.end());
  for (const std::string& w : words) {
    for (std::size_t at = 2; at < w.size(); ++at) {
      values.push_back(w.substr(at));
    }
  }
  return values;
}

// The names (long or "-x") that may set each flag accessor, read from the
// vocabulary's effects.
inline bool mayBeSetBy(const XelOptionsParser::Vocabulary& v,
                       const std::string& accessor,
                       const std::vector<std::string>& words) {
  for (int i = 0; i < v.count; ++i) {
    const XelOptionsParser::OptionSpec& entry = v.options[i];
    const std::string effect = entry.effect;
    std::size_t at = effect.find(accessor);
    const bool names_it =
        at != std::string::npos && (at + accessor.size() == effect.size() ||
                                    effect[at + accessor.size()] == ',');
    if (!names_it) {
      continue;
    }
    if (entry.name == nullptr) {
      return true;  // letters hide in clusters and attached values
    }
    // The name whole after one or two dashes, or ending a cluster: a long
    // name is tried again wherever a cluster resumes.
    const std::string name = entry.name;
    for (const std::string& w : words) {
      if (w.size() > name.size() && w[0] == '-' &&
          w.compare(w.size() - name.size(), name.size(), name) == 0) {
        return true;
      }
    }
  }
  return false;
}

// What a target reads from one parser: the whole record as text, the flags
// as (accessor, value) pairs, and the one text the target checks on its own.
struct Parsed {
  std::string record;
  std::vector<std::pair<std::string, bool>> flags;
  std::string special;
};

// Runs the checks every parser owes on a command line and returns what the
// parser of the whole line gave: the vector stays a permutation with its
// texts intact, and no flag rises without one of its words on the line nor
// falls when a word is appended (one step of the chain of prefixes, picked
// by cut: all of them would cost a parse per word).
//
// parse(argc, argv) builds a parser and returns its Parsed.
template <typename Parse>
Parsed checkParser(const XelOptionsParser::Vocabulary& vocabulary,
                   const std::vector<std::string>& words, std::size_t cut,
                   Parse parse) {
  OwnedVector vector(words);
  const Parsed whole = parse(vector.argc(), vector.argv());
  require(vector.is_permutation(), "the vector is a permutation");
  require(vector.texts_intact(words), "the texts are never written");

  for (const auto& [accessor, value] : whole.flags) {
    if (value && !mayBeSetBy(vocabulary, accessor, words)) {
      std::fprintf(stderr, "%s set by:", accessor.c_str());
      for (const std::string& w : words) {
        std::fprintf(stderr, " \"%s\"", w.c_str());
      }
      std::fprintf(stderr, "\n");
      require(false, "a flag is set only by one of its words");
    }
  }

  const std::size_t length = 1 + cut % words.size();
  if (length < words.size()) {
    auto flagsOf = [&](std::size_t n) {
      OwnedVector prefix(
          std::vector<std::string>(words.begin(), words.begin() + n));
      return parse(prefix.argc(), prefix.argv()).flags;
    };
    const auto before = flagsOf(length);
    const auto after =
        length + 1 == words.size() ? whole.flags : flagsOf(length + 1);
    for (std::size_t i = 0; i < before.size(); ++i) {
      require(!before[i].second || after[i].second,
              "a flag never falls when a word is appended");
    }
  }
  return whole;
}

// One run of a parser target: a command line drawn from the input, checked
// by checkParser. Returns what the parser of the whole line gave; words
// receives the line.
template <typename Parse>
Parsed fuzzParser(const std::uint8_t* data, std::size_t size,
                  const XelOptionsParser::Vocabulary& vocabulary, Parse parse,
                  std::vector<std::string>& words) {
  FuzzInput in(data, size);
  const std::size_t cut = in.byte();
  words = commandLine(in, jobPool(), 24);
  return checkParser(vocabulary, words, cut, parse);
}

}  // namespace parser_fuzz

#endif  // XELOPTS_FUZZ_PARSERFUZZ_H
