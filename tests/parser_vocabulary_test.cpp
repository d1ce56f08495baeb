// SPDX-License-Identifier: MIT
// What every parser shares: defaults, and a published vocabulary that is
// what the parser accepts.
#include <algorithm>
#include <random>
#include <set>
#include <sstream>
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

// Every option is taken, with one dash or two alike, and changes exactly the
// accessors its vocabulary entry lists (the restore job's "phase" none).
TYPED_TEST(ParserVocabularyTest, EachOptionIsTakenAndChangesWhatItLists) {
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
    std::set<std::string> listed;
    for (const auto* change = option.changes; change->accessor; ++change) {
      listed.insert(change->accessor);
      // The field table says the same: the field, and this option of it.
      const XelOptionsParser::FieldSpec& field =
          TypeParam::fields()[change->field];
      EXPECT_STREQ(field.accessor, change->accessor);
      EXPECT_EQ(field.appends, change->appends);
      EXPECT_NE(std::find(field.options, field.options + field.optionCount, i),
                field.options + field.optionCount);
    }
    std::set<std::string> changed;
    for (const auto& [accessor, value] : records.front()) {
      if (value != defaults.at(accessor)) {
        changed.insert(accessor);
      }
    }
    EXPECT_EQ(changed, listed) << spellings.front();
    EXPECT_EQ(records.front(), records.back()) << spellings.front();
  }
}

// Any command line's settings: the defaults only when the record is, and a
// written line that reads back into them with POSIXLY_CORRECT present or
// not.
TYPED_TEST(ParserVocabularyTest, SettingsOfRandomLinesAreWrittenAndReadBack) {
  using Settings = typename TypeParam::Settings;
  std::vector<std::string> pool = {"",    "0", "-7",   "7:7",        ":9",
                                   "x y", "-", "-o 1", "2147483648", "--"};
  const XelOptionsParser::Vocabulary& vocabulary = TypeParam::vocabulary();
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    pool.push_back(option.name != nullptr ? std::string("-") + option.name
                                          : std::string("-") + option.code);
  }
  std::mt19937 random(18);
  for (int line = 0; line < 300; ++line) {
    std::vector<std::string> words(random() % 10);
    for (std::string& word : words) {
      word = pool[random() % pool.size()];
    }
    SCOPED_TRACE(parser_test::quoted(words));
    test_support::Args args = parser_test::commandLine(words);
    XelOptionsParser::ParseReport quiet;
    TypeParam parser(args.argc(), args.argv(), quiet);
    const Settings settings = parser.settings();
    const Record record = parser_test::readRecord(parser);
    EXPECT_EQ(settings == Settings(), record == defaultRecord<TypeParam>());
    EXPECT_NE(settings != Settings(), settings == Settings());
    for (const bool posix : {false, true}) {
      EnvGuard order("POSIXLY_CORRECT",
                     posix ? std::optional("1") : std::nullopt);
      parser_test::expectWrittenLineReadsBack<TypeParam>(settings, record);
    }
  }
}

// Settings that no command line gives: the first such field in the
// record's order, why, and no words. The values beside them are written.
template <typename Parser>
void expectWritten(const typename Parser::Settings& settings, const char* field,
                   XelOptionsParser::Unwritable why) {
  const XelOptionsParser::CommandLine line = Parser::commandLine(settings);
  EXPECT_STREQ(line.field, field) << settings;
  EXPECT_EQ(line.reason, why) << settings;
  EXPECT_EQ(line.words.empty(), field != nullptr) << settings;
}

TEST(ParserSettings, ValuesThatNoCommandLineGives) {
  using Why = XelOptionsParser::Unwritable;
  const std::int64_t bit31 = std::int64_t{1} << 31;
  const struct {
    void (*change)(BackupOptionsParser::Settings&);
    const char* field;
    Why why;
  } backupRows[] = {
      {[](auto& s) { s.jobId = bit31; }, "getJobId", Why::jobIdOutOf32Bits},
      {[](auto& s) { s.jobId = -bit31 - 1; }, "getJobId",
       Why::jobIdOutOf32Bits},
      {[](auto& s) { s.jobId = -bit31; }, nullptr, Why::none},
      {[](auto& s) { s.virtualMachine.assign("v\0", 2); }, "getVirtualMachine",
       Why::nulInText},
      {[](auto& s) { s.fullRestartString = "-o "; }, "getFullRestartString",
       Why::restartNotEntries},
      {[](auto& s) { s.fullRestartString = "5-o 7"; }, "getFullRestartString",
       Why::restartNotEntries},
      {[](auto& s) { s.fullRestartString.assign("-o \0", 4); },
       "getFullRestartString", Why::nulInText},
      {[](auto& s) { s.skipConversion = true; }, "isSkipConversion",
       Why::flagWithoutItsPair},
      {[](auto& s) { s.dctmJob = true; }, "isDctmJob", Why::flagWithoutItsPair},
      {[](auto& s) {
         s.dctmJob = true;
         s.jobToken.assign("\0", 1);
       },
       "getJobToken", Why::nulInText},
  };
  for (const auto& row : backupRows) {
    BackupOptionsParser::Settings settings;
    row.change(settings);
    expectWritten<BackupOptionsParser>(settings, row.field, row.why);
  }
  RestoreOptionsParser::Settings restore;
  restore.dctmJob = true;
  expectWritten<RestoreOptionsParser>(restore, "isDctmJob",
                                      Why::flagWithoutItsPair);
  restore.maHostName.assign("\0", 1);
  expectWritten<RestoreOptionsParser>(restore, "getMaHostName", Why::nulInText);
  ScanOptionsParser::Settings scan;
  scan.restartString = "x-o ";  // a scan job keeps any one text
  expectWritten<ScanOptionsParser>(scan, nullptr, Why::none);
  scan.mediaAgent.assign("\0", 1);
  expectWritten<ScanOptionsParser>(scan, "getMediaAgent", Why::nulInText);
}

TEST(ParserSettings, DescriptionShowsEveryByte) {
  RestoreOptionsParser::Settings settings;
  settings.jobId = -3;
  settings.maHostName.assign("~\"\\\n\x7f\0", 6);
  settings.dctmJob = true;
  std::ostringstream out;
  out << settings;
  EXPECT_EQ(out.str(),
            "jobId=-3 applicationNumber=0 quorvelId=2 virtualMachine=\"\" "
            "jobToken=\"\" clientMachine=\"\" "
            "maHostName=\"~\\\"\\\\\\x0a\\x7f\\x00\" restoreTaskId=0 "
            "rbsJob=false dctmJob=true");
}

}  // namespace
