// Callers own the public progress fields and may set them mid-scan; the
// scanner must still stay inside the vector and keep its table alive.
#include <gtest/gtest.h>

#include <string>

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
  EXPECT_EQ(test_support::trace(started).codes, "x y -1");
}

}  // namespace
