// SPDX-License-Identifier: MIT
// The end of a scan and scans that have nothing to scan: they return -1 and
// touch nothing, however often they are called.
#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <tuple>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::capture;
using test_support::trace;

auto fields(const XelGetOpt& s) {
  return std::make_tuple(s.argc, s.argv, s.longind, s.optstring, s.longopts,
                         s.long_count, s.optarg_value, s.optind, s.opterr,
                         s.optopt, s.nextchar, s.ordering, s.first_nonopt,
                         s.last_nonopt);
}

struct EndCase {
  const char* optstring;
  const char* line;
  const char* codes;
};

void PrintTo(const EndCase& c, std::ostream* os) {
  *os << test_support::case_name(c.optstring, c.line);
}

using ScannerAfterEnd = test_support::ScannerCases<EndCase>;

TEST_P(ScannerAfterEnd, FurtherCallsReturnMinusOneAndMoveNothing) {
  const EndCase& c = GetParam();
  Args args = Args::of(c.line);
  XelGetOpt scanner(args.argc(), args.argv(), c.optstring);
  EXPECT_EQ(trace(scanner).codes, c.codes);
  const std::string line = args.joined();
  const int optind = scanner.optind;
  XelGetOpt copy(scanner);  // a copy of an ended scan has ended too
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(scanner(), -1);
    EXPECT_EQ(scanner.optarg(), nullptr);
    EXPECT_EQ(copy(), -1);
    EXPECT_EQ(copy.consumed().count, 0);
  }
  EXPECT_EQ(args.joined(), line);
  EXPECT_EQ(scanner.optind, optind);
  EXPECT_EQ(copy.optind, optind);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ScannerAfterEnd,
                         ::testing::ValuesIn(std::initializer_list<EndCase>{
                             {"x", "prog a -x b", "x -1"},
                             {"x", "prog a b", "-1"},
                             {"x", "prog a -x -- b", "x -1"},
                             {"+x", "prog a -x", "-1"},
                             {"+", "prog -- -- x", "-1"},
                             {"-x", "prog a -x", "1[a] x -1"},
                             {"-x", "prog a -- -- b", "1[a] -1"},
                         }));

// A process may be started with no arguments at all: argc 0, argv[0] null.
TEST(ScannerEmptyVector, ReturnsMinusOneAndWritesNothing) {
  char* vector[] = {nullptr};
  XelGetOpt scanner(0, vector, "x");
  XelGetOpt long_only(0, vector, "x");
  long_only.add_long_option("cn", XelGetOpt::required_argument, 'c');
  const XelGetOpt::option table[] = {
      {"cn", XelGetOpt::no_argument, nullptr, 1},
      {nullptr, XelGetOpt::no_argument, nullptr, 0}};
  const auto output = capture([&] {
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(scanner(), -1);
      EXPECT_EQ(long_only(), -1);
      EXPECT_EQ(scanner.getopt_long(0, vector, "x", table, nullptr), -1);
    }
  });
  EXPECT_EQ(output.err, "");
  EXPECT_EQ(scanner.optind, 0);
  EXPECT_EQ(vector[0], nullptr);

  // A count of 0 says the same of a vector that has words.
  Args args = Args::of("prog -x");
  XelGetOpt counted(0, args.argv(), "x");
  EXPECT_EQ(counted(), -1);
  EXPECT_EQ(counted.optind, 0);
}

TEST(ScannerWithoutInputs, ReturnsMinusOneAndChangesNothing) {
  XelGetOpt unset;
  const auto before = fields(unset);
  EXPECT_EQ(unset.argc, 0);
  EXPECT_EQ(unset.longind, 0);
  EXPECT_EQ(unset.opterr, 1);
  EXPECT_EQ(unset(), -1);
  EXPECT_EQ(unset(), -1);
  EXPECT_TRUE(fields(unset) == before);

  Args args = Args::of("prog -x a");
  XelGetOpt no_options(args.argc(), args.argv(),
                       static_cast<const char*>(nullptr));
  const auto initial = fields(no_options);
  EXPECT_EQ(no_options.opterr, 1);
  EXPECT_EQ(no_options(), -1);
  EXPECT_TRUE(fields(no_options) == initial);
  EXPECT_EQ(args.joined(), "prog -x a");
}

}  // namespace
