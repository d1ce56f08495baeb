// What every parser shares: defaults, and a published vocabulary that is
// what the parser accepts and whose effect texts name exactly the accessors
// each option changes.
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

std::vector<std::string> accessorsIn(const std::string& effect) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start < effect.size();) {
    const std::size_t comma = effect.find(", ", start);
    names.push_back(effect.substr(start, comma - start));
    start = comma == std::string::npos ? effect.size() : comma + 2;
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> changedAccessors(const Record& before,
                                          const Record& after) {
  std::vector<std::string> names;
  for (const auto& [accessor, value] : after) {
    if (before.at(accessor) != value) {
      names.push_back(accessor);
    }
  }
  return names;
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

// Every option, with a value that changes every kind of field, changes
// exactly the accessors its entry names; a long name does so with one dash
// or two.
TYPED_TEST(ParserVocabularyTest, EachOptionChangesWhatItsEffectNames) {
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
    for (const std::string& spelling : spellings) {
      std::vector<std::string> words{spelling};
      if (option.kind == XelGetOpt::required_argument) {
        words.push_back("7:7");  // a number, a text and an application id
      }
      SCOPED_TRACE(parser_test::quoted(words));
      std::string err;
      const Record record = parseQuietly<TypeParam>(words, err);
      EXPECT_EQ(err, "");
      EXPECT_EQ(changedAccessors(defaults, record), accessorsIn(option.effect));
    }
  }
}

TEST(ParserVocabularies, HaveTheirSizes) {
  EXPECT_EQ(BackupOptionsParser::vocabulary().count, 6 + 17);
  EXPECT_EQ(RestoreOptionsParser::vocabulary().count, 4 + 8);
  EXPECT_EQ(ScanOptionsParser::vocabulary().count, 6 + 7);
}

}  // namespace
