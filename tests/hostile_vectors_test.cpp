// SPDX-License-Identifier: MIT
// Vectors no sane job launcher produces: empty, huge, with megabyte words,
// full tables, non-ASCII bytes and names containing "=". Each has a defined
// outcome, and the sanitizer and valgrind runs see no report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BackupOptionsParser.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "XelGetOpt.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::EnvGuard;

constexpr std::size_t kMegabyte = 1 << 20;

class HostileVectorTest : public ::testing::Test {
 protected:
  EnvGuard permuting_{"POSIXLY_CORRECT", std::nullopt};
};

// Calls until -1, counting each code.
std::vector<int> drain(XelGetOpt& scanner) {
  std::vector<int> codes;
  for (int code; (code = scanner()) != -1;) {
    codes.push_back(code);
  }
  return codes;
}

TEST_F(HostileVectorTest, EmptyVectorWithNullProgramNameEndsAtOnce) {
  char* argv[] = {nullptr};
  XelGetOpt scanner(0, argv, "x");
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  EXPECT_EQ(scanner(), -1);
  EXPECT_EQ(scanner.optarg(), nullptr);
  EXPECT_EQ(scanner(), -1);

  BackupOptionsParser backup(0, argv);
  EXPECT_EQ(backup.getJobId(), 0);
  EXPECT_EQ(backup.getClientMachine(), "");
  EXPECT_EQ(backup.getQuorvelId(), 2u);
  RestoreOptionsParser restore(0, argv);
  EXPECT_EQ(restore.getQuorvelId(), 2u);
  EXPECT_FALSE(restore.isRBSJob());
  ScanOptionsParser scan(0, argv);
  EXPECT_EQ(scan.getRestartString(), "");
  ScanOptionsParser no_vector(3, nullptr);
  EXPECT_EQ(no_vector.getQuorvelId(), 2u);
}

// 100,000 words, one in a thousand a stray word that the scan moves behind
// the options.
TEST_F(HostileVectorTest, HundredThousandWords) {
  std::vector<std::string> words{"prog"};
  std::vector<std::string> strays;
  while (words.size() < 100000) {
    if (words.size() % 1000 == 999) {
      strays.push_back("stray" + std::to_string(words.size()));
      words.push_back(strays.back());
    } else if (words.size() % 3 == 0) {
      words.push_back("-cn");
      words.push_back("host" + std::to_string(words.size()));
    } else {
      words.push_back("-x");
    }
  }
  const std::size_t options = words.size() - strays.size() - 1;
  Args args(words);
  XelGetOpt scanner(args.argc(), args.argv(), "x");
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  const std::vector<int> codes = drain(scanner);

  std::size_t option_words = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    ASSERT_TRUE(codes[i] == 'x' || codes[i] == 'c') << "call " << i;
    option_words += codes[i] == 'c' ? 2U : 1U;
  }
  EXPECT_EQ(option_words, options);
  ASSERT_EQ(scanner.optind, static_cast<int>(options + 1));
  for (std::size_t i = 0; i < strays.size(); ++i) {
    EXPECT_EQ(args.argv()[options + 1 + i], strays[i]);
  }

  // The last client name given wins.
  std::string last_client;
  for (std::size_t i = 1; i + 1 < words.size(); ++i) {
    if (words[i] == "-cn") {
      last_client = words[i + 1];
    }
  }
  for (std::string& word : words) {
    if (word == "-x") {
      word = "-data";
    }
  }
  Args job(words);
  BackupOptionsParser parser(job.argc(), job.argv());
  EXPECT_EQ(parser.getClientMachine(), last_client);
  EXPECT_TRUE(parser.isDOption());
  EXPECT_EQ(job.argv()[job.argc() - 1], strays.back());
}

TEST_F(HostileVectorTest, MegabyteWords) {
  const std::string big(kMegabyte, 'x');
  // A cluster of a million letters: a million codes, in long-only mode too.
  for (bool long_only : {false, true}) {
    Args args({"prog", ("-" + big).c_str()});
    XelGetOpt scanner(args.argc(), args.argv(), "x");
    if (long_only) {
      scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
    }
    EXPECT_EQ(drain(scanner), std::vector<int>(kMegabyte, 'x'));
    EXPECT_EQ(scanner.optind, 2);
  }
  // Arguments, attached or not, an unknown long name and a stray word.
  Args args({"prog", big.c_str(), ("-o" + big).c_str(), "-o", big.c_str(),
             ("--" + big).c_str(), ("-" + std::string(kMegabyte, 'q')).c_str(),
             "-cn", big.c_str()});
  char* const stray = args.argv()[1];
  char* const attached = args.argv()[2];
  char* const separate = args.argv()[4];
  XelGetOpt scanner(args.argc(), args.argv(), "o:");
  scanner.opterr = 0;
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  EXPECT_EQ(scanner(), 'o');
  EXPECT_EQ(scanner.optarg(), attached + 2);
  EXPECT_EQ(scanner(), 'o');
  EXPECT_EQ(scanner.optarg(), separate);
  EXPECT_EQ(scanner(), '?');  // --xxx...: no such name
  EXPECT_EQ(scanner(), '?');  // -qqq...: no such name, q no letter
  EXPECT_EQ(scanner(), 'c');
  EXPECT_EQ(std::string(scanner.optarg()), big);
  EXPECT_EQ(scanner(), -1);
  EXPECT_EQ(scanner.optind, args.argc() - 1);
  EXPECT_EQ(args.argv()[args.argc() - 1], stray);

  Args job({"prog", "-cn", big.c_str(), "-o", big.c_str(), "-j", big.c_str()});
  BackupOptionsParser parser(job.argc(), job.argv());
  EXPECT_EQ(parser.getClientMachine(), big);
  EXPECT_EQ(parser.getFullRestartString(), "-o " + big);
}

// 31 records fill the table exactly: each is found, the last included, and
// nothing is read past the terminator.
TEST_F(HostileVectorTest, TableOfExactlyThirtyOneRecords) {
  std::vector<std::string> names;
  std::vector<std::string> words{"prog"};
  for (int i = 0; i < 31; ++i) {
    names.push_back("name" + std::to_string(i));
    words.push_back("-" + names.back());
  }
  words.push_back("-name31");
  Args built(words);
  XelGetOpt scanner(built.argc(), built.argv(), "");
  scanner.opterr = 0;
  for (int i = 0; i < 31; ++i) {
    scanner.add_long_option(names[static_cast<std::size_t>(i)].c_str(),
                            XelGetOpt::no_argument, static_cast<char>('A' + i));
  }
  ASSERT_EQ(scanner.long_count, 31);
  std::vector<int> expected;
  for (int i = 0; i < 31; ++i) {
    expected.push_back('A' + i);
  }
  expected.push_back('?');
  EXPECT_EQ(drain(scanner), expected);
  EXPECT_EQ(scanner.longind, 30);

  std::vector<XelGetOpt::option> table;
  for (int i = 0; i < 31; ++i) {
    table.push_back({names[static_cast<std::size_t>(i)].c_str(),
                     XelGetOpt::no_argument, nullptr, 'A' + i});
  }
  table.push_back({nullptr, XelGetOpt::no_argument, nullptr, 0});
  Args installed(words);
  XelGetOpt caller_table(installed.argc(), installed.argv(), "");
  caller_table.opterr = 0;
  caller_table.set_long_options(table.data());
  EXPECT_EQ(drain(caller_table), expected);
}

// Bytes above 127 are letters and name bytes like any other; codes come back
// as signed chars.
TEST_F(HostileVectorTest, NonAsciiBytes) {
  Args args(
      {"prog", "-\xc8", "-\xc3\xb1", "-n\xc3\xa4me", "\xe2\x82\xac", "-\x80"});
  char* const euro = args.argv()[4];
  XelGetOpt scanner(args.argc(), args.argv(), "\xc8\xc3");
  scanner.opterr = 0;
  scanner.add_long_option("n\xc3\xa4me", XelGetOpt::no_argument,
                          static_cast<char>(0xe4));
  EXPECT_EQ(scanner(), -56);  // 0xc8
  EXPECT_EQ(scanner(), -61);  // 0xc3; the rest, 0xb1, is no name nor letter
  EXPECT_EQ(scanner(), '?');
  EXPECT_EQ(scanner.optopt, '?');
  EXPECT_EQ(scanner(), -28);  // the long name, value 0xe4
  EXPECT_EQ(scanner(), '?');  // -\x80: no such name, no such letter
  EXPECT_EQ(scanner(), -1);
  EXPECT_EQ(args.argv()[scanner.optind], euro);

  Args job({"prog", "-cn", "h\xc3\xb4te", "-vm", "\xff\xfe"});
  BackupOptionsParser parser(job.argc(), job.argv());
  EXPECT_EQ(parser.getClientMachine(), "h\xc3\xb4te");
  EXPECT_EQ(parser.getVirtualMachine(), "\xff\xfe");
}

// A name containing "=" is compared whole, "=" and all; the text after its
// first "=" is then the argument.
TEST_F(HostileVectorTest, NameContainingEquals) {
  Args args({"prog", "--a=b", "-a=b", "--a=bc", "--a", "--k=v", "x"});
  XelGetOpt scanner(args.argc(), args.argv(), "");
  scanner.opterr = 0;
  scanner.add_long_option("a=b", XelGetOpt::required_argument, 'A');
  scanner.add_long_option("k=v", XelGetOpt::no_argument, 'K');
  EXPECT_EQ(scanner(), 'A');
  EXPECT_STREQ(scanner.optarg(), "b");
  EXPECT_EQ(scanner(), 'A');
  EXPECT_STREQ(scanner.optarg(), "b");
  EXPECT_EQ(scanner(), '?');  // a=bc is no name
  EXPECT_EQ(scanner(), '?');  // a is no name either
  EXPECT_EQ(scanner(), '?');  // k=v matches but takes no argument
  EXPECT_EQ(scanner(), -1);
  EXPECT_EQ(scanner.optind, 6);
}

}  // namespace
