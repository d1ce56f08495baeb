// SPDX-License-Identifier: MIT
// What every job parser fuzz target shares: turning the input into a
// command line from the vocabularies and hostile values, and the checks that
// hold for any parser on any command line.
#ifndef XELOPTS_FUZZ_PARSERFUZZ_H
#define XELOPTS_FUZZ_PARSERFUZZ_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <variant>
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

// What a target reads from one parser: the whole record as one text, its
// texts by accessor, and its flags as (accessor, value) pairs.
struct Parsed {
  std::string record;
  std::map<std::string, std::string> texts;
  std::vector<std::pair<std::string, bool>> flags;

  std::string text(const char* accessor) const {
    const auto at = texts.find(accessor);
    return at != texts.end() ? at->second : std::string();
  }
};

// Builds the parser over the vector, with the report when one is given,
// and its settings when asked.
template <class Parser>
Parsed parse(int argc, char** argv,
             XelOptionsParser::ParseReport* report = nullptr,
             typename Parser::Settings* settings = nullptr) {
  auto read = [settings](Parser& parser) {
    if (settings != nullptr) {
      *settings = parser.settings();
    }
    Parsed parsed{parser.settings().description(), {}, {}};
    const XelOptionsParser::FieldTable& fields = Parser::fields();
    for (int i = 0; i < fields.count; ++i) {
      const XelOptionsParser::FieldValue value = parser.fieldValue(i);
      if (const bool* flag = std::get_if<bool>(&value)) {
        parsed.flags.emplace_back(fields[i].accessor, *flag);
      } else if (const auto* text = std::get_if<std::string_view>(&value)) {
        parsed.texts[fields[i].accessor] = std::string(*text);
      }
    }
    return parsed;
  };
  if (report != nullptr) {
    Parser parser(argc, argv, *report);
    return read(parser);
  }
  Parser parser(argc, argv);
  return read(parser);
}

// The flags each vocabulary entry sets when it is given alone.
template <class Parser>
const std::vector<std::vector<std::string>>& flagsSetAlone() {
  static const std::vector<std::vector<std::string>> sets = [] {
    const XelOptionsParser::Vocabulary& v = Parser::vocabulary();
    std::vector<std::vector<std::string>> result;
    for (int i = 0; i < v.count; ++i) {
      const XelOptionsParser::OptionSpec& entry = v.options[i];
      std::vector<std::string> words{
          "prog", entry.name != nullptr ? std::string("-") + entry.name
                                        : std::string("-") + entry.code};
      if (entry.kind == XelGetOpt::required_argument) {
        words.emplace_back("1");
      }
      OwnedVector vector(words);
      std::vector<std::string> set;
      for (const auto& [accessor, value] :
           parse<Parser>(vector.argc(), vector.argv()).flags) {
        if (value) {
          set.push_back(accessor);
        }
      }
      result.push_back(set);
    }
    return result;
  }();
  return sets;
}

// Whether one of the words may set the flag: a short letter that sets it
// hides in clusters and attached values; a long name counts whole after one
// or two dashes, or ending a cluster (a long name is tried again wherever a
// cluster resumes).
template <class Parser>
bool mayBeSetBy(const std::string& accessor,
                const std::vector<std::string>& words) {
  const XelOptionsParser::Vocabulary& v = Parser::vocabulary();
  for (int i = 0; i < v.count; ++i) {
    const std::vector<std::string>& sets =
        flagsSetAlone<Parser>()[static_cast<std::size_t>(i)];
    if (std::find(sets.begin(), sets.end(), accessor) == sets.end()) {
      continue;
    }
    const XelOptionsParser::OptionSpec& entry = v.options[i];
    if (entry.name == nullptr) {
      return true;
    }
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

// The report tells the scan as it went: each step's words stand in the
// final vector where the step says, one after the other (a step that goes
// on inside a cluster starts on the last one), the last step ends the scan,
// and the remaining words are the rest of the vector.
inline void checkReport(const XelOptionsParser::ParseReport& report,
                        OwnedVector& vector) {
  char** argv = vector.argv();
  const int argc = vector.argc();
  int placed = 0;
  for (std::size_t i = 0; i < report.steps.size(); ++i) {
    const XelOptionsParser::ParseStep& step = report.steps[i];
    require((step.code == -1) == (i + 1 == report.steps.size()),
            "the last step, and only the last, ends the scan");
    if (step.words.empty()) {
      continue;
    }
    const auto count = static_cast<int>(step.words.size());
    require(step.position == placed || step.position == placed + 1,
            "a step's words follow the last step's");
    require(step.position >= 1 && step.position + count <= argc,
            "a step's words lie inside the vector");
    for (int w = 0; w < count; ++w) {
      require(
          step.words[static_cast<std::size_t>(w)] == argv[step.position + w],
          "a step's words stand where the step says");
    }
    placed = step.position + count - 1;
  }
  require(!report.steps.empty(), "a scan has at least its last step");
  require(static_cast<int>(report.remaining.size()) == argc - 1 - placed,
          "the remaining words follow the consumed ones");
  for (std::size_t r = 0; r < report.remaining.size(); ++r) {
    require(report.remaining[r] == argv[placed + 1 + static_cast<int>(r)],
            "the remaining words are the rest of the vector");
  }
}

// The settings of a parse write a command line that reads back, with
// POSIXLY_CORRECT present and absent, into equal settings and the same
// record, and that writes the same words again.
template <class Parser>
void checkWrittenLine(const typename Parser::Settings& settings,
                      const std::string& record) {
  const XelOptionsParser::CommandLine line = Parser::commandLine(settings);
  require(line.isWritten() && line.field == nullptr,
          "the settings of a parse can be written");
  std::vector<std::string> words{"prog"};
  words.insert(words.end(), line.words.begin(), line.words.end());
  const char* posix = std::getenv("POSIXLY_CORRECT");
  const std::string kept = posix != nullptr ? posix : "";
  // The other state first, so that the loop ends in the one it began in.
  for (const bool present : {posix == nullptr, posix != nullptr}) {
    if (present) {
      setenv("POSIXLY_CORRECT", kept.c_str(), 1);
    } else {
      unsetenv("POSIXLY_CORRECT");
    }
    OwnedVector vector(words);
    XelOptionsParser::ParseReport report;
    typename Parser::Settings again;
    require(
        parse<Parser>(vector.argc(), vector.argv(), &report, &again).record ==
            record,
        "a written line reads back into the same record");
    require(again == settings, "a written line reads back into the settings");
    require(report.isClean(), "a written line is options and values only");
    require(Parser::commandLine(again).words == line.words,
            "a written line read back writes the same words");
  }
}

// Runs the checks every parser owes on a command line and returns what the
// parser of the whole line gave: the vector stays a permutation with its
// texts intact; a parse with a report gives the same record and vector,
// and a report that tells the scan; the settings are written and read back;
// no flag rises without one of its words on the line nor falls when a word
// is appended (one step of the chain of prefixes, picked by cut: all of
// them would cost a parse per word).
template <class Parser>
Parsed checkParser(const std::vector<std::string>& words, std::size_t cut) {
  OwnedVector vector(words);
  typename Parser::Settings settings;
  const Parsed whole =
      parse<Parser>(vector.argc(), vector.argv(), nullptr, &settings);
  require(vector.is_permutation(), "the vector is a permutation");
  require(vector.texts_intact(words), "the texts are never written");

  OwnedVector reported(words);
  XelOptionsParser::ParseReport report;
  const Parsed withReport =
      parse<Parser>(reported.argc(), reported.argv(), &report);
  require(withReport.record == whole.record,
          "a report changes nothing in the record");
  for (int i = 0; i < vector.argc(); ++i) {
    require(std::string(vector.argv()[i]) == reported.argv()[i],
            "a report changes nothing in the vector's order");
  }
  checkReport(report, reported);
  checkWrittenLine<Parser>(settings, whole.record);

  for (const auto& [accessor, value] : whole.flags) {
    if (value && !mayBeSetBy<Parser>(accessor, words)) {
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
      OwnedVector prefix(std::vector<std::string>(
          words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n)));
      return parse<Parser>(prefix.argc(), prefix.argv()).flags;
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
// by checkParser, on one input in four with POSIXLY_CORRECT present.
// Returns what the parser of the whole line gave; words receives the line.
template <class Parser>
Parsed fuzzParser(const std::uint8_t* data, std::size_t size,
                  std::vector<std::string>& words) {
  FuzzInput in(data, size);
  const std::size_t cut = in.byte();
  words = commandLine(in, jobPool(), 24);
  if ((cut & 0xC0) == 0xC0) {
    setenv("POSIXLY_CORRECT", "1", 1);
  } else {
    unsetenv("POSIXLY_CORRECT");
  }
  return checkParser<Parser>(words, cut);
}

}  // namespace parser_fuzz

#endif  // XELOPTS_FUZZ_PARSERFUZZ_H
