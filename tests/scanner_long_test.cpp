// SPDX-License-Identifier: MIT
// Long options: whole-name matching with one dash or two, the fallback of
// single-dash words to short options, flags, longind and the diagnostics.
#include <gtest/gtest.h>

#include <ostream>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::EnvGuard;
using test_support::trace;

// The short options x (no argument) and j (argument), as the job parsers
// combine them with long names.
void add_names(XelGetOpt& scanner) {
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.add_long_option("jt", XelGetOpt::required_argument, 's');
  scanner.add_long_option("data", XelGetOpt::no_argument, 'F');
  scanner.add_long_option("opt", XelGetOpt::ParamType(2), 'O');
  scanner.add_long_option("d", XelGetOpt::required_argument, 'd');
}

struct LongCase {
  const char* optstring;
  const char* line;
  const char* codes;
  const char* err;
};

void PrintTo(const LongCase& c, std::ostream* os) {
  *os << test_support::case_name(c.optstring, c.line);
}

const LongCase kLongCases[] = {
    {"xj:", "prog -cn host", "c[host] -1", ""},
    {"xj:", "prog --cn host", "c[host] -1", ""},
    {"xj:", "prog -cn -x", "c[-x] -1", ""},
    {"xj:", "prog -d media", "d[media] -1", ""},
    {"xj:", "prog -data --data", "F F -1", ""},
    // A whole long name wins over a short letter; otherwise the letter.
    {"xj:", "prog -jt token", "s[token] -1", ""},
    {"xj:", "prog -j5", "j[5] -1", ""},
    {"xj:", "prog -j 5", "j[5] -1", ""},
    {"xj:", "prog -jt=5", "j[t=5] -1", ""},
    {"xj:", "prog -x", "x -1", ""},
    {"xj:", "prog -xcn host", "x c[host] -1", ""},
    // Neither abbreviations nor attached "=" arguments match a name.
    {"xj:", "prog --cn=host", "? -1", "prog: unrecognized option `cn=host'\n"},
    {"xj:", "prog -cn=host", "? -1", "prog: unrecognized option `-cn=host'\n"},
    {"xj:", "prog --c host", "? -1", "prog: unrecognized option `c'\n"},
    {"xj:", "prog --frob", "? -1", "prog: unrecognized option `frob'\n"},
    {"xj:", "prog ---cn", "? -1", "prog: unrecognized option `-cn'\n"},
    {"xj:", "prog -q", "? -1", "prog: unrecognized option `-q'\n"},
    {"xj:", "prog -qx", "? -1", "prog: unrecognized option `-qx'\n"},
    {"xj:", "prog -xzz", "x ? -1", "prog: unrecognized option `-zz'\n"},
    {"xj:", "prog -data=1", "? -1", "prog: unrecognized option `-data=1'\n"},
    {"xj:", "prog --data=1", "? -1", "prog: unrecognized option `data=1'\n"},
    {"xj:", "prog -cn", "? -1", "prog: option `-cn' requires an argument\n"},
    {":xj:", "prog --cn", ": -1", "prog: option `--cn' requires an argument\n"},
    {"xj:", "prog -j", "? -1", "prog: option requires an argument -- j\n"},
    // A kind other than 0 and 1 never takes the next word.
    {"xj:", "prog -opt value", "O -1", ""},
    {"xj:", "prog -- -cn host", "-1", ""},
};

using ScannerLong = test_support::ScannerCases<LongCase>;

TEST_P(ScannerLong, CodesAndDiagnostics) {
  const LongCase& c = GetParam();
  Args args = Args::of(c.line);
  XelGetOpt scanner(args.argc(), args.argv(), c.optstring);
  add_names(scanner);
  const auto result = trace(scanner);
  EXPECT_EQ(result.codes, c.codes);
  EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerLong, ::testing::ValuesIn(kLongCases));

TEST(ScannerLongErrors, LeaveOptoptUnchanged) {
  Args args = Args::of("prog -q --cn=host -data=1 -cn");
  XelGetOpt scanner(args.argc(), args.argv(), "xj:");
  add_names(scanner);
  scanner.optopt = 'z';
  EXPECT_EQ(trace(scanner).codes, "? ? ? ? -1");
  EXPECT_EQ(scanner.optopt, 'z');
}

TEST(ScannerLongPermute, NamesTakeTheirArgumentsAlong) {
  EnvGuard env("POSIXLY_CORRECT", std::nullopt);
  Args args = Args::of("prog a -cn h b -x c");
  XelGetOpt scanner(args.argc(), args.argv(), "xj:");
  add_names(scanner);
  EXPECT_EQ(trace(scanner).codes, "c[h] x -1");
  EXPECT_EQ(args.joined(), "prog -cn h -x a b c");
  EXPECT_EQ(scanner.optind, 4);
}

TEST(ScannerLongIndex, HoldsTheRecordOfEachLongOption) {
  Args args = Args::of("prog -data -x -d m --cn h");
  XelGetOpt scanner(args.argc(), args.argv(), "xj:");
  add_names(scanner);
  const int expected[][2] = {{'F', 2}, {'x', 2}, {'d', 4}, {'c', 0}};
  for (const auto& step : expected) {
    EXPECT_EQ(scanner(), step[0]);
    EXPECT_EQ(scanner.longind, step[1]);
  }
  EXPECT_EQ(scanner(), -1);
}

TEST(ScannerLongDuplicates, TheFirstRecordWins) {
  Args args = Args::of("prog -dup");
  XelGetOpt scanner(args.argc(), args.argv(), "");
  scanner.add_long_option("other", XelGetOpt::no_argument, 'o');
  scanner.add_long_option("dup", XelGetOpt::no_argument, 'a');
  scanner.add_long_option("dup", XelGetOpt::no_argument, 'b');
  EXPECT_EQ(trace(scanner).codes, "a -1");
  EXPECT_EQ(scanner.longind, 1);
}

// A record with a flag pointer stores its value there and returns 0; with
// getopt_long only the double-dash form is a long option.
TEST(ScannerLongFlags, StoreValueAndReturnZero) {
  int verbose = 0;
  int level = 0;
  const XelGetOpt::option table[] = {
      {"verbose", XelGetOpt::no_argument, &verbose, 7},
      {"level", XelGetOpt::required_argument, &level, 'L'},
      {"cn", XelGetOpt::required_argument, nullptr, 'c'},
      {nullptr, XelGetOpt::no_argument, nullptr, 0}};
  Args args = Args::of("prog --level 3 -cn --verbose");
  XelGetOpt scanner;
  int index = -1;
  const auto result = trace(scanner, [&] {
    return scanner.getopt_long(args.argc(), args.argv(), "cn", table, &index);
  });
  EXPECT_EQ(result.codes, "0[3] c n 0 -1");
  EXPECT_EQ(verbose, 7);
  EXPECT_EQ(level, 'L');
  EXPECT_EQ(index, 0);
}

// Names may contain "=": then a name can match without being exact, and two
// such matches are ambiguous; a name that begins alike and does not match
// leaves the word whole.
TEST(ScannerLongEquals, AmbiguousAndAttachedArguments) {
  XelGetOpt::option table[] = {
      {"k=1", XelGetOpt::required_argument, nullptr, 'k'},
      {"k=1", XelGetOpt::required_argument, nullptr, 'K'},
      {"m=1", XelGetOpt::no_argument, nullptr, 'm'},
      {"n=2", XelGetOpt::ParamType(2), nullptr, 'n'},
      {"mode=fast", XelGetOpt::ParamType(2), nullptr, 'M'},
      {"mode", XelGetOpt::no_argument, nullptr, 'D'},
      {nullptr, XelGetOpt::no_argument, nullptr, 0}};
  Args args = Args::of("prog --k=1 -k=1 --m=1 -m=1 --n=2 --mode=fast -x");
  XelGetOpt scanner(args.argc(), args.argv(), "x");
  scanner.set_long_options(table);
  const auto result = trace(scanner);
  EXPECT_EQ(result.codes, "? ? ? ? n[2] M[fast] x -1");
  EXPECT_EQ(result.err,
            "prog: option `--k=1' is ambiguous\n"
            "prog: option `-k=1' is ambiguous\n"
            "prog: option `--m=1' doesn't allow an argument\n"
            "prog: option `-m=1' doesn't allow an argument\n");
}

}  // namespace
