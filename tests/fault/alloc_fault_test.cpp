// SPDX-License-Identifier: MIT
// Allocation failure anywhere inside a parser's constructor must surface as
// std::bad_alloc and give back every block taken so far.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AllocationFault.h"
#include "BackupOptionsParser.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "parser_support.h"
#include "test_support.h"

namespace {

// Values longer than any short-string buffer, so that every copy allocates.
const std::string kLong = "a-value-long-enough-to-need-a-heap-block";

std::string joinedProblems(const fault::SweepResult& result) {
  std::string text;
  for (const std::string& problem : result.problems) {
    text += problem + "\n";
  }
  return text;
}

template <typename Parser>
void expectEveryFailureReleasesEverything(
    const std::vector<std::string>& words) {
  test_support::EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
  std::optional<test_support::Args> args;
  fault::SweepResult result;
  // The stray words' diagnostics are noise here.
  test_support::capture([&] {
    result = fault::sweepAllocationFailures(
        [&] { args.emplace(parser_test::commandLine(words)); },
        [&] { Parser parser(args->argc(), args->argv()); });
  });
  EXPECT_EQ(joinedProblems(result), "");
  // The long strings at least.
  EXPECT_GE(result.allocations, 5u);
  EXPECT_EQ(result.failedRuns, result.allocations);

  // With a report used before, which a failure leaves empty.
  int halfReports = 0;
  result = fault::sweepAllocationFailures(
      [&] { args.emplace(parser_test::commandLine(words)); },
      [&] {
        XelOptionsParser::ParseReport report;
        report.remaining.assign(1, "from before");
        try {
          Parser parser(args->argc(), args->argv(), report);
        } catch (const std::bad_alloc&) {
          halfReports += report.steps.empty() && report.remaining.empty() &&
                                 report.diagnostics.empty()
                             ? 0
                             : 1;
          throw;
        }
      });
  EXPECT_EQ(joinedProblems(result), "");
  EXPECT_EQ(result.failedRuns, result.allocations);
  EXPECT_EQ(halfReports, 0);

  // The record as settings, written back as a command line.
  XelOptionsParser::ParseReport quiet;
  args.emplace(parser_test::commandLine(words));
  Parser parser(args->argc(), args->argv(), quiet);
  result = fault::sweepAllocationFailures(
      [] {}, [&] { Parser::commandLine(parser.settings()); });
  EXPECT_EQ(joinedProblems(result), "");
  EXPECT_GE(result.allocations, 5u);
  EXPECT_EQ(result.failedRuns, result.allocations);
}

TEST(AllocationFailure, BackupParserReleasesEverything) {
  expectEveryFailureReleasesEverything<BackupOptionsParser>(
      {"-j",    "812",    "-a",       "5:57",        "-cn", kLong,
       "stray", "-vm",    kLong,      "-jt",         kLong, "-d",
       kLong,   "-phase", kLong,      "-o",          kLong, "-restart",
       kLong,   "-rbs",   "-unknown", "-numstreams", "3"});
}

TEST(AllocationFailure, RestoreParserReleasesEverything) {
  expectEveryFailureReleasesEverything<RestoreOptionsParser>(
      {"-j", "812", "-a", "5:57", "-cn", kLong, "stray", "-vm", kLong, "-jt",
       kLong, "-phase", kLong, "-maHostName", kLong, "-rbs", kLong, "-dctm",
       "-unknown"});
}

TEST(AllocationFailure, ScanParserReleasesEverything) {
  expectEveryFailureReleasesEverything<ScanOptionsParser>(
      {"-j",
       "812",
       "-a",
       "5:57",
       "-cn",
       kLong,
       "stray",
       "-vm",
       kLong,
       "-jt",
       kLong,
       "-d",
       kLong,
       "-phase",
       kLong,
       "-o",
       std::string(30, '0') + "9",
       "-restart",
       std::string(30, '0') + "1",
       "-unknown"});
}

}  // namespace
