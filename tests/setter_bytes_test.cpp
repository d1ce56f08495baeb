// SPDX-License-Identifier: MIT
// The public setters take whole strings, bytes after a NUL included, while
// the parse loop hands the same rules NUL-terminated texts.
#include <string>

#include <gtest/gtest.h>

#include "BackupOptionsParser.h"

namespace {

BackupOptionsParser unparsed() {
  char program[] = "prog";
  char* argv[] = {program, nullptr};
  return BackupOptionsParser(1, argv);
}

TEST(SetterBytesTest, ApplicationNumberSearchesTheWholeString) {
  BackupOptionsParser parser = unparsed();
  parser.setApplicationNumber(std::string("7\0:5", 4));
  EXPECT_EQ(parser.getApplicationNumber(), 5u);
  EXPECT_EQ(parser.getQuorvelId(), 7u);
}

TEST(SetterBytesTest, TextsKeepTheirBytesAfterANul) {
  BackupOptionsParser parser = unparsed();
  const std::string name("\0vm", 3);
  parser.setVirtualMachine(name);
  parser.setClientMachine(name);
  EXPECT_EQ(parser.getVirtualMachine(), name);
  EXPECT_EQ(parser.getClientMachine(), name);
  parser.setJobId("42");
  const std::string nul_five(
      "\0"
      "5",
      2);
  parser.setJobId(nul_five);
  EXPECT_EQ(parser.getJobId(), 0);  // not empty, and no digits before the NUL
}

}  // namespace
