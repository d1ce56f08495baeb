// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "RestoreOptionsParser.h"
#include "parser_support.h"

namespace {

using parser_test::ParseCase;
using test_support::EnvGuard;

class RestoreParserTest : public ::testing::Test {
 protected:
  EnvGuard permuting_{"POSIXLY_CORRECT", std::nullopt};
};

void expectCases(const std::vector<ParseCase>& cases) {
  parser_test::expectParses<RestoreOptionsParser>(cases);
}

TEST_F(RestoreParserTest, FlagsAndTheRbsValue) {
  expectCases({
      {{"-dctm"},
       {{"isDctmJob", "true"}, {"isRBSJob", "true"}},
       "",
       "",
       "'-dctm'"},
      {{"-rbs", "x"}, {{"isRBSJob", "true"}}, "", "", "'-rbs' '1'"},
      {{"-rbs", "0"}, {{"isRBSJob", "true"}}},
      {{"-rbs"}, {}, "prog: option `-rbs' requires an argument\n"},
      // "-dctm" is the value of "rbs" here, not an option.
      {{"-rbs", "-dctm"}, {{"isRBSJob", "true"}}, "", "prog -rbs -dctm"},
  });
}

TEST_F(RestoreParserTest, FieldsOfItsOwnAndTheSharedOnes) {
  expectCases({
      {{"-maHostName", "ma01"},
       {{"getMaHostName", "ma01"}},
       "",
       "",
       "'-maHostName' 'ma01'"},
      {{"--maHostName", "ma01"}, {{"getMaHostName", "ma01"}}},
      {{"-maHostName", "ma01", "-maHostName", ""}, {}},
      {{"-m", "ma01"}, {}, "prog: unrecognized option `-m'\n", "prog -m ma01"},
      {{"-p", "42"}, {{"getRestoreTaskId", "42"}}},
      {{"-p", "abc"}, {}},
      {{"-j", "7", "-J", "9"}, {{"getJobId", "9"}}},
      {{"-a", "7:1234"},
       {{"getQuorvelId", "7"}, {"getApplicationNumber", "1234"}}},
      {{"-vm", "v1", "-vm", ""}, {{"getVirtualMachine", "v1"}}},
      {{"-cn", "c1", "-cn", "", "-jt", "t1"}, {{"getJobToken", "t1"}}},
      {{"-phase", "full"}, {}},
      // No 't' here: the letter is unknown and its value a stray word.
      {{"-t", "3", "-j", "5"},
       {{"getJobId", "5"}},
       "prog: unrecognized option `-t'\n",
       "prog -t -j 5 3"},
  });
}

TEST_F(RestoreParserTest, PosixlyCorrectStopsAtTheStrayValue) {
  EnvGuard requireOrder("POSIXLY_CORRECT", "");
  parser_test::expectParse<RestoreOptionsParser>(
      {{"-t", "3", "-j", "5"}, {}, "prog: unrecognized option `-t'\n"});
}

TEST_F(RestoreParserTest, OtherJobKindsNamesAreUnrecognized) {
  for (const char* name :
       {"restart", "d", "data", "logs", "differential", "skipconversionrules",
        "integcheck", "numstreams", "alwayson", "TLToSnap"}) {
    parser_test::expectParse<RestoreOptionsParser>(
        {{std::string("--") + name},
         {},
         std::string("prog: unrecognized option `") + name + "'\n"});
  }
}

}  // namespace
