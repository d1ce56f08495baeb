// SPDX-License-Identifier: MIT
// What every parser shares: defaults, and a published vocabulary that is
// what the parser accepts.
#include <algorithm>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "parser_support.h"

namespace {

using parser_test::defaultRecord;
using parser_test::Record;
using test_support::EnvGuard;

template <typename Parser>
class ParserVocabularyTest : public ::testing::Test {
 protected:
  EnvGuard permuting_{"POSIXLY_CORRECT", std::nullopt};
};

using AllParsers = ::testing::Types<BackupOptionsParser, RestoreOptionsParser,
                                    ScanOptionsParser>;
struct ParserNames {
  template <typename Parser>
  static std::string GetName(int) {
    if (std::is_same_v<Parser, BackupOptionsParser>) {
      return "Backup";
    }
    return std::is_same_v<Parser, RestoreOptionsParser> ? "Restore" : "Scan";
  }
};
TYPED_TEST_SUITE(ParserVocabularyTest, AllParsers, ParserNames);

template <typename Parser>
Record parseQuietly(const std::vector<std::string>& words, std::string& err) {
  test_support::Args args = parser_test::commandLine(words);
  Record record;
  err = test_support::capture([&] {
          Parser parser(args.argc(), args.argv());
          record = parser_test::readRecord(parser);
        }).err;
  return record;
}

TYPED_TEST(ParserVocabularyTest, ProgramNameAloneGivesTheDefaults) {
  std::string err;
  EXPECT_EQ(parseQuietly<TypeParam>({}, err), defaultRecord<TypeParam>());
  EXPECT_EQ(err, "");
}

TYPED_TEST(ParserVocabularyTest, ShortLettersComeFirstAndMatchTheString) {
  const XelOptionsParser::Vocabulary& vocabulary = TypeParam::vocabulary();
  std::string letters;
  int longNames = 0;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    if (option.name == nullptr) {
      EXPECT_EQ(longNames, 0) << "letter " << option.code << " after a name";
      letters += option.code;
      letters += option.kind == XelGetOpt::required_argument ? ":" : "";
    } else {
      ++longNames;
    }
  }
  EXPECT_EQ(letters, vocabulary.shortOptions);
}

// Every option is taken, with one dash or two alike, and shows in the
// record; only the restore job's "phase" has no accessor.
TYPED_TEST(ParserVocabularyTest, EachOptionIsTakenAndShows) {
  const Record defaults = defaultRecord<TypeParam>();
  const XelOptionsParser::Vocabulary& vocabulary = TypeParam::vocabulary();
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    std::vector<std::string> spellings;
    if (option.name == nullptr) {
      spellings = {std::string("-") + option.code};
    } else {
      spellings = {std::string("-") + option.name,
                   std::string("--") + option.name};
    }
    std::vector<Record> records;
    for (const std::string& spelling : spellings) {
      std::vector<std::string> words{spelling};
      if (option.kind == XelGetOpt::required_argument) {
        words.push_back("7:7");  // a number, a text and an application id
      }
      SCOPED_TRACE(parser_test::quoted(words));
      std::string err;
      records.push_back(parseQuietly<TypeParam>(words, err));
      EXPECT_EQ(err, "");
    }
    const bool hidden =
        std::is_same_v<TypeParam, RestoreOptionsParser> && option.code == 'h';
    EXPECT_EQ(records.front() == defaults, hidden) << spellings.front();
    EXPECT_EQ(records.front(), records.back()) << spellings.front();
  }
}

TEST(ParserVocabularies, HaveTheirSizes) {
  EXPECT_EQ(BackupOptionsParser::vocabulary().count, 6 + 17);
  EXPECT_EQ(RestoreOptionsParser::vocabulary().count, 4 + 8);
  EXPECT_EQ(ScanOptionsParser::vocabulary().count, 6 + 7);
}

}  // namespace
