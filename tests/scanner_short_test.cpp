// SPDX-License-Identifier: MIT
// Short options: clusters, required and optional arguments, the ':' prefix,
// unknown letters and their diagnostics.
#include <gtest/gtest.h>

#include <ostream>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::EnvGuard;
using test_support::trace;

struct ShortCase {
  const char* optstring;
  const char* line;
  const char* codes;
  int optopt;
  const char* err;
};

void PrintTo(const ShortCase& c, std::ostream* os) {
  *os << test_support::case_name(c.optstring, c.line);
}

const ShortCase kShortCases[] = {
    {"xyo:", "prog -xy", "x y -1", '?', ""},
    {"xyo:", "prog -ovalue", "o[value] -1", '?', ""},
    {"xyo:", "prog -o value", "o[value] -1", '?', ""},
    {"xyo:", "prog -xo v", "x o[v] -1", '?', ""},
    {"xyo:", "prog -xov", "x o[v] -1", '?', ""},
    // A required argument is taken whatever it looks like.
    {"xyo:", "prog -o -x", "o[-x] -1", '?', ""},
    {"xyo:", "prog -o --", "o[--] -1", '?', ""},
    {"xyo:", "prog -o", "? -1", 'o',
     "prog: option requires an argument -- o\n"},
    {"xyo:", "prog -xo", "x ? -1", 'o',
     "prog: option requires an argument -- o\n"},
    {":xyo:", "prog -o", ": -1", 'o',
     "prog: option requires an argument -- o\n"},
    {"+:xyo:", "prog -o", ": -1", 'o',
     "prog: option requires an argument -- o\n"},
    // An optional argument must be attached.
    {"o::", "prog -ovalue", "o[value] -1", '?', ""},
    {"o::", "prog -o value", "o -1", '?', ""},
    // Unknown letters are consumed one at a time.
    {"xyo:", "prog -q", "? -1", 'q', "prog: illegal option -- q\n"},
    {"xyo:", "prog -qx", "? x -1", 'q', "prog: illegal option -- q\n"},
    {"xyo:", "prog -xq -y", "x ? y -1", 'q', "prog: illegal option -- q\n"},
    {":xyo:", "prog -:", "? -1", ':', "prog: illegal option -- :\n"},
    {":xyo:", "prog -q", "? -1", 'q', "prog: illegal option -- q\n"},
    // Letters are bytes, widened as signed characters.
    {"\xC8", "prog -\xC8", "-56 -1", '?', ""},
    {"x", "prog -\xC9", "? -1", -55, "prog: illegal option -- \xC9\n"},
};

using ScannerShort = test_support::ScannerCases<ShortCase>;

TEST_P(ScannerShort, CodesOptoptAndDiagnostics) {
  const ShortCase& c = GetParam();
  Args args = Args::of(c.line);
  XelGetOpt scanner(args.argc(), args.argv(), c.optstring);
  const auto result = trace(scanner);
  EXPECT_EQ(result.codes, c.codes);
  EXPECT_EQ(scanner.optopt, c.optopt);
  EXPECT_EQ(result.err, c.err);
}

// opterr 0 silences the diagnostics and changes nothing else.
TEST_P(ScannerShort, SilentScanAdvancesAlike) {
  const ShortCase& c = GetParam();
  Args loud_args = Args::of(c.line);
  Args quiet_args = Args::of(c.line);
  XelGetOpt loud(loud_args.argc(), loud_args.argv(), c.optstring);
  XelGetOpt quiet(quiet_args.argc(), quiet_args.argv(), c.optstring);
  quiet.opterr = 0;
  const auto loud_result = trace(loud);
  const auto quiet_result = trace(quiet);
  EXPECT_EQ(quiet_result.codes, loud_result.codes);
  EXPECT_EQ(quiet_result.err, "");
  EXPECT_EQ(quiet.optind, loud.optind);
  EXPECT_EQ(quiet.optopt, loud.optopt);
  EXPECT_EQ(quiet_args.joined(), loud_args.joined());
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerShort, ::testing::ValuesIn(kShortCases));

// The unattached value of an optional argument stays a non-option.
TEST(ScannerShortOptional, FollowingWordIsNotTaken) {
  EnvGuard env("POSIXLY_CORRECT", std::nullopt);
  Args args = Args::of("prog -o value -x");
  XelGetOpt scanner(args.argc(), args.argv(), "o::x");
  EXPECT_EQ(trace(scanner).codes, "o x -1");
  EXPECT_EQ(args.joined(), "prog -o -x value");
  EXPECT_EQ(scanner.optind, 3);
}

}  // namespace
