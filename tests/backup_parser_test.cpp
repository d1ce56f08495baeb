// SPDX-License-Identifier: MIT
#include <memory>
#include <type_traits>
#include <typeinfo>

#include <gtest/gtest.h>

#include "BackupOptionsParser.h"
#include "parser_support.h"

namespace {

using parser_test::ParseCase;
using test_support::EnvGuard;

class BackupParserTest : public ::testing::Test {
 protected:
  EnvGuard permuting_{"POSIXLY_CORRECT", std::nullopt};
};

void expectCases(const std::vector<ParseCase>& cases) {
  parser_test::expectParses<BackupOptionsParser>(cases);
}

TEST_F(BackupParserTest, TypicalRequestGivesTheWholeRecord) {
  parser_test::expectParse<BackupOptionsParser>(
      {{"-j", "812", "-a", "5:57", "-cn", "client01", "-vm", "vm07", "-t", "1",
        "-phase", "4", "-restart", "12", "-data", "-numstreams", "3", "-rbs",
        "extra"},
       {{"getJobId", "812"},
        {"getApplicationNumber", "57"},
        {"getQuorvelId", "5"},
        {"getClientMachine", "client01"},
        {"getVirtualMachine", "vm07"},
        {"getBackupType", "1"},
        {"getBackupPhase", "4"},
        {"getFullRestartString", "-o 12"},
        {"getNumStreamsForRBS", "3"},
        {"isDOption", "true"},
        {"isRBSJob", "true"}},
       "",
       "prog -j 812 -a 5:57 -cn client01 -vm vm07 -t 1 -phase 4 -restart 12 "
       "-data -numstreams 3 -rbs extra",
       "'-j' '812' '-a' '5:57' '-vm' 'vm07' '-t' '1' '-cn' 'client01' "
       "'-data' '-o' '12' '-phase' '4' '-rbs' '-numstreams' '3'"});
}

// initMembers() leaves the texts: the steps run again pile up the restart
// string, as xelopts(3) says.
TEST_F(BackupParserTest, StepsRunAgainPileUpTheRestartString) {
  test_support::Args args = test_support::Args::of("prog -o 5");
  BackupOptionsParser job(args.argc(), args.argv());
  job.initMembers();
  job.initializeParser(args.argc(), args.argv());
  job.parse(args.argc(), args.argv());
  EXPECT_EQ(job.getFullRestartString(), "-o 5-o 5");
}

// The rules of the shared setters, checked once here for all three parsers.
TEST_F(BackupParserTest, SharedSetterRules) {
  expectCases({
      {{"-a", "7:1234"},
       {{"getQuorvelId", "7"}, {"getApplicationNumber", "1234"}}},
      {{"-a", "1234"}, {}},
      {{"-a", "7:"}, {}},
      {{"-a", ""}, {}},
      {{"-a", ":1234"},
       {{"getQuorvelId", "0"}, {"getApplicationNumber", "1234"}},
       "",
       "",
       "'-a' '0:1234'"},
      {{"-a", "7:12:34"},
       {{"getQuorvelId", "7"}, {"getApplicationNumber", "12"}}},
      {{"-a", "x:-1"},
       {{"getQuorvelId", "0"},
        {"getApplicationNumber", "18446744073709551615"}},
       "",
       "",
       "'-a' '0:18446744073709551615'"},
      {{"-j", "42"}, {{"getJobId", "42"}}},
      {{"-j", "-7"}, {{"getJobId", "-7"}}},
      {{"-j", " +12x"}, {{"getJobId", "12"}}, "", "", "'-j' '12'"},
      {{"-j", "abc"}, {}},
      {{"-j", "5", "-j", ""}, {{"getJobId", "5"}}},
      {{"-j", "5", "-j", "abc"}, {{"getJobId", "0"}}},
      {{"-vm", "vm1", "-VM", ""},
       {{"getVirtualMachine", "vm1"}},
       "",
       "",
       "'-vm' 'vm1'"},
      {{"-vm", "vm1", "-VM", "vm2"}, {{"getVirtualMachine", "vm2"}}},
      {{"-cn", "c1", "-cn", ""}, {}},
      {{"-jt", "t1", "-jt", ""}, {}},
      {{"-d", "m1", "-d", ""}, {}},
      {{"-cn", "c1", "-jt", "t1", "-d", "m1"},
       {{"getClientMachine", "c1"},
        {"getJobToken", "t1"},
        {"getMediaAgent", "m1"}}},
      {{"-p", "-5"}, {{"getRestoreTaskId", "18446744073709551611"}}},
      {{"-p", "abc"}, {}},
      {{"-t", "99999999999999999999999"},
       {{"getBackupType", "18446744073709551615"}}},
      {{"-j"}, {}, "prog: option requires an argument -- j\n"},
  });
}

// Every public setter stores its text, in its own field, in every parser.
TEST_F(BackupParserTest, SettersOfEveryParserStoreTheirText) {
  const auto expectStored = [](auto&& parser) {
    parser.setJobId("42");
    parser.setApplicationNumber("3:4");
    parser.setVirtualMachine("vm1");
    parser.setJobToken("t1");
    parser.setClientMachine("c1");
    std::map<std::string, std::string> expected{{"getJobId", "42"},
                                                {"getQuorvelId", "3"},
                                                {"getApplicationNumber", "4"},
                                                {"getVirtualMachine", "vm1"},
                                                {"getJobToken", "t1"},
                                                {"getClientMachine", "c1"}};
    if constexpr (!std::is_same_v<std::decay_t<decltype(parser)>,
                                  RestoreOptionsParser>) {
      parser.setBackupType(9);
      parser.setMediaAgent("ma1");
      expected["getBackupType"] = "9";
      expected["getMediaAgent"] = "ma1";
    }
    EXPECT_EQ(
        parser_test::readRecord(parser),
        parser_test::defaultsWith<std::decay_t<decltype(parser)>>(expected));
  };
  test_support::Args args = parser_test::commandLine({});
  expectStored(BackupOptionsParser(1, args.argv()));
  expectStored(RestoreOptionsParser(1, args.argv()));
  expectStored(ScanOptionsParser(1, nullptr));  // a record of defaults
}

// atoi has no defined result outside the 32-bit range: the job id clamps
// there instead, and reads as atoi everywhere else.
TEST_F(BackupParserTest, JobIdClampsToThe32BitRange) {
  expectCases({
      {{"-j", "2147483647"}, {{"getJobId", "2147483647"}}},
      {{"-j", "2147483648"}, {{"getJobId", "2147483647"}}},
      {{"-j", "99999999999999999999999"}, {{"getJobId", "2147483647"}}},
      {{"-j", "-2147483648"}, {{"getJobId", "-2147483648"}}},
      {{"-j", "-2147483649"}, {{"getJobId", "-2147483648"}}},
      {{"-j", "\t-99999999999999999999999z"},
       {{"getJobId", "-2147483648"}},
       "",
       "",
       "'-j' '-2147483648'"},
  });
}

TEST_F(BackupParserTest, FlagsAndThePairsTheySet) {
  expectCases({
      {{"--skipconversionrules"},
       {{"isSkipConversion", "true"}, {"isIntegrityCheck", "true"}},
       "",
       "",
       "'-skipconversionrules'"},
      {{"--integcheck"}, {{"isIntegrityCheck", "true"}}},
      {{"--dctm"},
       {{"isDctmJob", "true"}, {"isRBSJob", "true"}},
       "",
       "",
       "'-dctm'"},
      {{"--rbs"}, {{"isRBSJob", "true"}}},
      {{"-rbs", "-rbs"}, {{"isRBSJob", "true"}}},
      {{"-data", "-logs", "-differential", "-alwayson", "-TLToSnap"},
       {{"isDOption", "true"},
        {"isLOption", "true"},
        {"isIOption", "true"},
        {"isAlwaysONJob", "true"},
        {"isTLToSnapJob", "true"}}},
      {{"-t", "3"}, {{"getBackupType", "3"}}},
      {{"-numstreams", "4"}, {{"getNumStreamsForRBS", "4"}}},
      {{"-numstreams", "x"}, {}},
  });
}

TEST_F(BackupParserTest, RestartTextAccumulatesAndPhaseIsReplaced) {
  expectCases({
      {{"-o", "5", "-restart", "7"},
       {{"getFullRestartString", "-o 5-o 7"}},
       "",
       "",
       "'-o' '5-o 7'"},
      {{"-o", "5", "-o", "", "-restart", ""},
       {{"getFullRestartString", "-o 5"}}},
      {{"-phase", "full", "-phase", ""}, {}},
      {{"-phase", "full", "-phase", "incr"}, {{"getBackupPhase", "incr"}}},
  });
}

TEST_F(BackupParserTest, WordsThatLookAlikeReachDifferentCodes) {
  expectCases({
      {{"-jt", "tok"}, {{"getJobToken", "tok"}}},
      // Not a long name: the short option j with the value "t5".
      {{"-j", "9", "-jt5"}, {{"getJobId", "0"}}},
      {{"-d", "host1"}, {{"getMediaAgent", "host1"}}},
      {{"-dhost1"}, {}, "prog: unrecognized option `-dhost1'\n"},
      {{"-c", "host1", "-j", "5"},
       {{"getJobId", "5"}},
       "prog: unrecognized option `-c'\n",
       "prog -c -j 5 host1"},
      {{"--cn=host1"}, {}, "prog: unrecognized option `cn=host1'\n"},
      {{"-cn", "-j", "5"}, {{"getClientMachine", "-j"}}, "", "prog -cn -j 5"},
      {{"-TLToSnap"}, {{"isTLToSnapJob", "true"}}},
  });
}

TEST_F(BackupParserTest, PosixlyCorrectStopsAtTheFirstStrayWord) {
  for (const char* value : {"", "1"}) {
    SCOPED_TRACE(value);
    EnvGuard requireOrder("POSIXLY_CORRECT", value);
    parser_test::expectParse<BackupOptionsParser>(
        {{"-j", "4", "-c", "host1", "-j", "5"},
         {{"getJobId", "4"}},
         "prog: unrecognized option `-c'\n",
         "prog -j 4 -c host1 -j 5"});
  }
}

TEST_F(BackupParserTest, CanBeHeldAndDeletedThroughTheInterface) {
  static_assert(std::has_virtual_destructor_v<XelOptionsParser>);
  test_support::Args args = parser_test::commandLine(
      {"-cn", "c1", "-jt", "t1", "-vm", "v1", "-J", "3"});
  std::unique_ptr<XelOptionsParser> parser =
      std::make_unique<BackupOptionsParser>(args.argc(), args.argv());
  EXPECT_EQ(parser->getClientMachine(), "c1");
  EXPECT_EQ(parser->getJobToken(), "t1");
  EXPECT_EQ(parser->getVirtualMachine(), "v1");
  EXPECT_EQ(parser->getJobId(), 3);
  EXPECT_NE(dynamic_cast<BackupOptionsParser*>(parser.get()), nullptr);
  XelOptionsParser& held = *parser;
  EXPECT_EQ(typeid(held), typeid(BackupOptionsParser));
}

}  // namespace
