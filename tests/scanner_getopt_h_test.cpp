// SPDX-License-Identifier: MIT
// The C library's <getopt.h> defines no_argument and required_argument as
// macros: a scan whose kinds are named through them (tests/compile/ builds
// both orders of the two headers).
#include <getopt.h>

#include "XelGetOpt.h"

#include <gtest/gtest.h>

#include "scanner_trace.h"
#include "test_support.h"

static_assert(sizeof(XelGetOpt::option) == sizeof(::option));

namespace {

TEST(ScannerWithGetoptH, ScansWithTheMacroValues) {
  auto args = test_support::Args::of("prog -cn host -data");
  XelGetOpt scanner(args.argc(), args.argv(), "");
  scanner.add_long_option("cn", XelGetOpt::ParamType(required_argument), 'c');
  scanner.add_long_option("data", XelGetOpt::ParamType(no_argument), 'F');
  EXPECT_EQ(test_support::trace(scanner).codes, "c[host] F -1");
}

}  // namespace
