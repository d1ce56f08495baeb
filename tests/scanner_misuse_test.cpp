// SPDX-License-Identifier: MIT
// Callers own the public progress fields and may set them mid-scan; the
// scanner must still stay inside the vector and keep its table alive.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;

TEST(ScannerMisuse, OwnTableHandedBackStaysAlive) {
  Args w{"prog", "-cn", "host"};
  XelGetOpt scanner(w.argc(), w.argv(), "x");
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.set_long_options(scanner.longopts);
  EXPECT_EQ(scanner.long_count, -1);
  EXPECT_EQ(scanner(), 'c');
  EXPECT_STREQ(scanner.optarg(), "host");
  EXPECT_EQ(scanner(), -1);
}

TEST(ScannerMisuse, OptindMovedToEndInsideClusterEndsScan) {
  for (bool with_table : {false, true}) {
    Args w{"prog", "-xy"};
    XelGetOpt scanner(w.argc(), w.argv(), "xy:");
    if (with_table) {
      scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
    }
    ASSERT_EQ(scanner(), 'x');
    scanner.optind = w.argc();
    EXPECT_EQ(scanner(), -1) << "with table: " << with_table;
    EXPECT_EQ(scanner.optind, w.argc());
  }
}

TEST(ScannerMisuse, ExchangeIgnoresOutOfRangeBlocks) {
  Args w{"prog", "a", "-x"};
  const std::string before = w.joined();
  XelGetOpt scanner(w.argc(), w.argv(), "x");
  scanner.first_nonopt = -3;
  scanner.last_nonopt = 1;
  scanner.optind = 2;
  scanner.exchange(w.argv());
  EXPECT_EQ(w.joined(), before);
  // An empty block of skipped words: nothing moves, nothing changes.
  scanner.first_nonopt = 1;
  scanner.exchange(w.argv());
  EXPECT_EQ(w.joined(), before);
  EXPECT_EQ(scanner.first_nonopt, 1);
  // A block may start at element 0, as exchange is told.
  scanner.first_nonopt = 0;
  scanner.exchange(w.argv());
  EXPECT_EQ(w.joined(), "a prog -x");
}

TEST(ScannerMisuse, RefusedCallClearsArgument) {
  Args w{"prog", "-ov"};
  XelGetOpt scanner;
  ASSERT_EQ(scanner.getopt(w.argc(), w.argv(), "o:"), 'o');
  ASSERT_STREQ(scanner.optarg(), "v");
  EXPECT_EQ(scanner.getopt(0, w.argv(), "o:"), -1);
  EXPECT_EQ(scanner.optarg(), nullptr);
}

// nullptr needs no cast: it builds a scanner without options, and clears the
// option string of one that had it.
TEST(ScannerMisuse, NullOptionStringIsNotAmbiguous) {
  Args w{"prog", "-x", "-y"};
  XelGetOpt scanner(w.argc(), w.argv(), nullptr);
  EXPECT_EQ(scanner(), -1);
  XelGetOpt replaced(w.argc(), w.argv(), "y");
  replaced.set_char_options(static_cast<const char*>("x"));
  EXPECT_EQ(replaced(), 'x');
  replaced.set_char_options(nullptr);
  EXPECT_EQ(replaced(), -1);
}

// The vector may be given anew or grow between calls, and a caller may
// start the scan at element 1 by hand: nothing of an earlier call's vector
// limits a later call.
TEST(ScannerMisuse, VectorGivenAnewBetweenCalls) {
  Args w{"prog", "-x", "a", "-y"};
  XelGetOpt reset(2, w.argv(), "xy");
  EXPECT_EQ(reset(), 'x');
  reset.set_args(w.argc(), w.argv());
  EXPECT_EQ(reset(), 'y');

  Args v{"prog", "-x", "a", "-y"};
  XelGetOpt growing;
  EXPECT_EQ(growing.getopt(2, v.argv(), "xy"), 'x');
  EXPECT_EQ(growing.getopt(v.argc(), v.argv(), "xy"), 'y');

  Args u{"prog", "-x", "-y"};
  XelGetOpt started(u.argc(), u.argv(), "xy");
  started.optind = 1;
  EXPECT_EQ(started(), 'x');
  EXPECT_EQ(started.consumed().position, 1);
  EXPECT_EQ(test_support::trace(started).codes, "y -1");

  Args t{"prog", "-x"};
  XelGetOpt late;
  late.set_char_options("x");
  EXPECT_EQ(late.consumed().count + late.consumed().position, 0);
  late.set_args(t.argc(), t.argv());
  EXPECT_EQ(test_support::trace(late).codes, "x -1");

  // A null met mid-scan ends that vector only: one given anew goes on.
  Args full{"prog", "-o", "v", "-y"};
  char* holed[] = {full.argv()[0], full.argv()[1], nullptr, full.argv()[3]};
  XelGetOpt cut(4, holed, "o:y");
  cut.opterr = 0;
  EXPECT_EQ(cut(), '?');
  cut.set_args(full.argc(), full.argv());
  EXPECT_EQ(test_support::trace(cut).codes, "y -1");
}

// A null element is the vector's end however optind is moved: onto it
// inside a cluster, or past it once it is known.
TEST(ScannerMisuse, OptindMovedOntoOrPastANull) {
  Args w{"prog", "-xy", "null", "-x"};
  w.argv()[2] = nullptr;
  XelGetOpt cluster(w.argc(), w.argv(), "xy");
  ASSERT_EQ(cluster(), 'x');
  cluster.optind = 2;
  EXPECT_EQ(cluster(), -1);

  Args v{"prog", "-cn", "null", "-x"};
  v.argv()[2] = nullptr;
  XelGetOpt past(v.argc(), v.argv(), "x");
  past.opterr = 0;
  past.add_long_option("cn", XelGetOpt::required_argument, 'c');
  ASSERT_EQ(past(), '?');  // -cn has no value: the vector ends there
  XelGetOpt copy(past);    // which a copy knows too
  past.optind = 3;
  EXPECT_EQ(past(), -1);
  copy.optind = 3;
  EXPECT_EQ(copy(), -1);
}

// A scan started anew (optind 0) forgets the last one: what it consumed and
// where its vector ended.
TEST(ScannerMisuse, ScanStartedAnewForgetsTheLastOne) {
  Args first{"prog", "-x", "null", "-x"};
  first.argv()[2] = nullptr;
  XelGetOpt scanner(first.argc(), first.argv(), "x");
  EXPECT_EQ(test_support::trace(scanner).codes, "x -1");
  Args second{"prog", "-x", "-x", "-x"};
  scanner.argv = second.argv();
  scanner.optind = 0;
  EXPECT_EQ(scanner(), 'x');
  EXPECT_EQ(scanner.consumed().position, 1);
  EXPECT_EQ(test_support::trace(scanner).codes, "x x -1");

  Args cluster{"prog", "-xy"};  // started anew inside a cluster
  XelGetOpt inside(cluster.argc(), cluster.argv(), "xy");
  ASSERT_EQ(inside(), 'x');
  inside.optind = 0;
  EXPECT_EQ(test_support::trace(inside).codes, "x y -1");
}

// A copy made mid-scan is the scanner at that point: the same fields, the
// same last call, the same rest of the scan.
TEST(ScannerMisuse, CopyMadeMidScanGoesOnAlike) {
  Args w{"prog", "-q", "a", "-o", "v", "-x", "b"};
  XelGetOpt original(w.argc(), w.argv(), "o:x");
  original.opterr = 0;
  ASSERT_EQ(original(), '?');
  ASSERT_EQ(original(), 'o');
  XelGetOpt copy = original;
  const auto fields = [](const XelGetOpt& s) {
    return std::make_tuple(s.argc, s.argv, s.longind, s.optstring, s.longopts,
                           s.long_count, s.optarg_value, s.optind, s.opterr,
                           s.optopt, s.nextchar, s.ordering, s.first_nonopt,
                           s.last_nonopt);
  };
  EXPECT_TRUE(fields(copy) == fields(original));
  EXPECT_EQ(copy.consumed().position, 2);
  EXPECT_EQ(copy.consumed().count, 2);
  EXPECT_EQ(copy(), 'x');
  EXPECT_EQ(copy.consumed().position, 4);
  EXPECT_EQ(copy(), -1);
  EXPECT_EQ(copy.optind, 5);
}

}  // namespace
