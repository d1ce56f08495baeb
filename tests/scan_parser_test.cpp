// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "ScanOptionsParser.h"
#include "parser_support.h"

namespace {

using parser_test::defaultsWith;
using parser_test::ParseCase;
using parser_test::readRecord;
using test_support::EnvGuard;

class ScanParserTest : public ::testing::Test {
 protected:
  EnvGuard permuting_{"POSIXLY_CORRECT", std::nullopt};
};

void expectCases(const std::vector<ParseCase>& cases) {
  parser_test::expectParses<ScanOptionsParser>(cases);
}

TEST_F(ScanParserTest, NullArgvGivesDefaultsThatTheSettersFill) {
  for (int argc : {0, 1, 5}) {
    SCOPED_TRACE(argc);
    const test_support::Output output = test_support::capture([&] {
      ScanOptionsParser parser(argc, nullptr);
      EXPECT_EQ(readRecord(parser), defaultsWith<ScanOptionsParser>({}));
      parser.setRestartString("15");
      parser.setRestartString("20");
      parser.setJobId("12");
      parser.setApplicationNumber("3:4");
      parser.setBackupType(6);
      parser.setMediaAgent("ma");
      EXPECT_EQ(readRecord(parser),
                defaultsWith<ScanOptionsParser>({{"getRestartString", "15"},
                                                 {"getJobId", "12"},
                                                 {"getQuorvelId", "3"},
                                                 {"getApplicationNumber", "4"},
                                                 {"getBackupType", "6"},
                                                 {"getMediaAgent", "ma"}}));
      parser.initMembers();  // the numbers and the restart string start over
      EXPECT_EQ(readRecord(parser),
                defaultsWith<ScanOptionsParser>({{"getMediaAgent", "ma"}}));
    });
    EXPECT_EQ(output.err, "");
  }
}

// The first text of the smallest number stays, whichever option gave it.
TEST_F(ScanParserTest, RestartStringKeepsTheSmallestValue) {
  expectCases({
      {{"-o", "30", "-restart", "10", "-o", "20"},
       {{"getRestartString", "10"}},
       "",
       "",
       "'-o' '10'"},
      {{"-o", "010", "-o", "10"}, {{"getRestartString", "010"}}},
      {{"-o", "12x", "-o", "12"}, {{"getRestartString", "12x"}}},
      {{"-o", "abc", "-o", "5"}, {{"getRestartString", "abc"}}},
      {{"-o", "5", "-o", "abc"}, {{"getRestartString", "abc"}}},
      {{"-o", "-1", "-o", "5"}, {{"getRestartString", "5"}}},
      {{"-o", "5", "-o", "-1"}, {{"getRestartString", "5"}}},
      {{"-o", " +7 "}, {{"getRestartString", " +7 "}}},
      {{"-o", ""}, {}},
      {{"-o", "5", "-restart", ""}, {{"getRestartString", "5"}}},
  });
}

TEST_F(ScanParserTest, OtherFields) {
  expectCases({
      {{"-t", "7"}, {{"getBackupType", "7"}}},
      {{"-t", "abc"}, {}},
      {{"-d", "ma01"}, {{"getMediaAgent", "ma01"}}},
      {{"-d", "ma01", "-d", ""}, {}},
      {{"-phase", "full"}, {{"getBackupPhase", "full"}}},
      {{"-phase", "full", "-phase", ""}, {}},
      {{"-p", "9"}, {{"getRestoreTaskId", "9"}}},
      {{"-j", "7", "-J", "9"}, {{"getJobId", "9"}}},
      {{"-vm", "v1", "-VM", ""}, {{"getVirtualMachine", "v1"}}},
      {{"-cn", "c1", "-jt", "t1", "-d", "m1", "-t", "2"},
       {{"getClientMachine", "c1"},
        {"getJobToken", "t1"},
        {"getMediaAgent", "m1"},
        {"getBackupType", "2"}},
       "",
       "",
       "'-t' '2' '-jt' 't1' '-cn' 'c1' '-d' 'm1'"},
      {{"--rbs", "x", "-j", "4"},
       {{"getJobId", "4"}},
       "prog: unrecognized option `rbs'\n",
       "prog --rbs -j 4 x"},
  });
}

TEST_F(ScanParserTest, OtherJobKindsNamesAreUnrecognized) {
  for (const char* name : {"maHostName", "rbs", "dctm", "data", "logs",
                           "differential", "skipconversionrules", "integcheck",
                           "numstreams", "alwayson", "TLToSnap"}) {
    parser_test::expectParse<ScanOptionsParser>(
        {{std::string("--") + name},
         {},
         std::string("prog: unrecognized option `") + name + "'\n"});
  }
}

}  // namespace
