// SPDX-License-Identifier: MIT
// Ordering modes, permutation of non-options, terminators and the final
// vector and optind of a scan.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <string>
#include <vector>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::EnvGuard;
using test_support::trace;

struct ModeCase {
  const char* optstring;
  std::string line;
  const char* codes;
  std::string final_line;
  int optind;
  const char* err;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << test_support::case_name(c.optstring, c.line);
}

std::string words(const char* stem, int count) {
  std::string line;
  for (int i = 0; i < count; ++i) {
    line += " " + std::string(stem) + std::to_string(i);
  }
  return line;
}

const ModeCase kModeCases[] = {
    {"x", "prog", "-1", "prog", 1, ""},
    // Permute: non-options gather behind the options, in their order.
    {"xy", "prog a -x b -y c", "x y -1", "prog -x -y a b c", 3, ""},
    {"o:x", "prog a -o v b -x c", "o[v] x -1", "prog -o v -x a b c", 4, ""},
    {"x", "prog - -x", "x -1", "prog -x -", 2, ""},
    {"xy", "prog" + words("w", 20) + " -x -y", "x y -1",
     "prog -x -y" + words("w", 20), 3, ""},
    // A terminator ends the options and stands before what remains.
    {"x", "prog a -- -x", "-1", "prog -- a -x", 2, ""},
    {"x", "prog a -x -- b -y", "x -1", "prog -x -- a b -y", 3, ""},
    {"xo:y", "prog a b -x -o v c -- d -y", "x o[v] -1",
     "prog -x -o v -- a b c d -y", 5, ""},
    {"x", "prog -x --", "x -1", "prog -x --", 3, ""},
    // Require order: the first non-option ends the scan.
    {"+x", "prog a -x", "-1", "prog a -x", 1, ""},
    {"+x", "prog -x a -x", "x -1", "prog -x a -x", 2, ""},
    {"+x", "prog -x -- -x", "x -1", "prog -x -- -x", 3, ""},
    // Return in order: each non-option comes back as code 1.
    {"-x", "prog a -x b", "1[a] x 1[b] -1", "prog a -x b", 4, ""},
    {"-x", "prog a -- b", "1[a] -1", "prog a -- b", 3, ""},
    // The ordering marker is never an option letter.
    {"-x", "prog -x-", "x ? -1", "prog -x-", 2, "prog: illegal option -- -\n"},
    {"+x", "prog -x+", "x ? -1", "prog -x+", 2, "prog: illegal option -- +\n"},
    // Without a long-option table, --name is a cluster of short options.
    {"x", "prog --name", "? ? ? ? ? -1", "prog --name", 2,
     "prog: illegal option -- -\nprog: illegal option -- n\n"
     "prog: illegal option -- a\nprog: illegal option -- m\n"
     "prog: illegal option -- e\n"},
    {"n-ame", "prog --name", "- n a m e -1", "prog --name", 2, ""},
};

using ScannerModes = test_support::ScannerCases<ModeCase>;

TEST_P(ScannerModes, CodesVectorAndOptind) {
  const ModeCase& c = GetParam();
  Args args = Args::of(c.line);
  XelGetOpt scanner(args.argc(), args.argv(), c.optstring);
  const auto result = trace(scanner);
  EXPECT_EQ(result.codes, c.codes);
  EXPECT_EQ(args.joined(), c.final_line);
  EXPECT_EQ(scanner.optind, c.optind);
  EXPECT_EQ(result.err, c.err);
  const char marker = c.optstring[0];
  // The values themselves are the interface: 2, 0 and 1.
  EXPECT_EQ(scanner.ordering, marker == '-' ? 2 : marker == '+' ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerModes, ::testing::ValuesIn(kModeCases));

// POSIXLY_CORRECT, whatever its value, turns permutation into require order;
// a marker in the option string wins over it.
TEST(ScannerPosixlyCorrect, PresenceSelectsRequireOrder) {
  for (const char* value : {"", "1"}) {
    EnvGuard env("POSIXLY_CORRECT", value);
    Args args = Args::of("prog a -x");
    XelGetOpt scanner(args.argc(), args.argv(), "x");
    EXPECT_EQ(trace(scanner).codes, "-1") << '"' << value << '"';
    EXPECT_EQ(scanner.optind, 1);
    EXPECT_EQ(args.joined(), "prog a -x");

    Args in_order = Args::of("prog a -x");
    XelGetOpt returning(in_order.argc(), in_order.argv(), "-x");
    EXPECT_EQ(trace(returning).codes, "1[a] x -1");
  }
}

// The environment is read at the first call of a scan only.
TEST(ScannerPosixlyCorrect, ReadOnceAtTheFirstCall) {
  EnvGuard env("POSIXLY_CORRECT", "");
  Args args = Args::of("prog -x a -x");
  XelGetOpt scanner(args.argc(), args.argv(), "x");
  EXPECT_EQ(scanner(), 'x');
  env.set(std::nullopt);
  EXPECT_EQ(scanner(), -1);
  EXPECT_EQ(scanner.optind, 2);

  Args permuted = Args::of("prog -x a -x");
  XelGetOpt permuting(permuted.argc(), permuted.argv(), "x");
  EXPECT_EQ(permuting(), 'x');
  env.set("");
  EXPECT_EQ(trace(permuting).codes, "x -1");
  EXPECT_EQ(permuted.joined(), "prog -x -x a");
  EXPECT_EQ(permuting.optind, 3);
}

// exchange moves the skipped block [first, last) behind the scanned block
// [last, optind), whichever is longer and however far they overlap.
TEST(ScannerExchange, RotatesBlocksOfEverySize) {
  const int sizes[] = {1, 2, 3, 16, 17, 40};
  for (int skipped : sizes) {
    for (int scanned : sizes) {
      Args args = Args::of("prog -a -b" + words("n", skipped) +
                           words("o", scanned) + " t0 t1");
      std::vector<std::string> expected;
      for (int i = 0; i < args.argc(); ++i) {
        expected.emplace_back(args.argv()[i]);
      }
      const int first = 3;
      const int last = first + skipped;
      const int end = last + scanned;
      std::rotate(expected.begin() + first, expected.begin() + last,
                  expected.begin() + end);

      XelGetOpt scanner(args.argc(), args.argv(), "ab");
      scanner.first_nonopt = first;
      scanner.last_nonopt = last;
      scanner.optind = end;
      scanner.exchange(args.argv());
      SCOPED_TRACE(std::to_string(skipped) + " skipped, " +
                   std::to_string(scanned) + " scanned");
      for (int i = 0; i < args.argc(); ++i) {
        EXPECT_EQ(args.argv()[i], expected[static_cast<std::size_t>(i)])
            << "element " << i;
      }
      EXPECT_EQ(scanner.first_nonopt, first + scanned);
      EXPECT_EQ(scanner.last_nonopt, end);
      EXPECT_EQ(scanner.optind, end);
    }
  }
}

TEST(ScannerExchange, EmptyOrReversedBlocksMoveNothing) {
  struct Bounds {
    int first, last, end;
  };
  for (const Bounds b :
       {Bounds{2, 2, 4}, Bounds{2, 4, 4}, Bounds{2, 4, 3}, Bounds{4, 2, 5}}) {
    Args args = Args::of("prog a b c d e");
    XelGetOpt scanner(args.argc(), args.argv(), "");
    scanner.first_nonopt = b.first;
    scanner.last_nonopt = b.last;
    scanner.optind = b.end;
    scanner.exchange(args.argv());
    EXPECT_EQ(args.joined(), "prog a b c d e");
    EXPECT_EQ(scanner.first_nonopt, b.first);
    EXPECT_EQ(scanner.last_nonopt, b.last);
  }
}

}  // namespace
