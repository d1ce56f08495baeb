// SPDX-License-Identifier: MIT
// The C library's <getopt.h> defines no_argument and required_argument as
// macros; the scanner's header must live with them, included after them.
#include <getopt.h>

#include "XelGetOpt.h"

#include <gtest/gtest.h>

#include "scanner_trace.h"
#include "test_support.h"

#if !defined(no_argument) || !defined(required_argument)
#error "XelGetOpt.h removed the caller's macros"
#endif
static_assert(no_argument == 0 && required_argument == 1,
              "XelGetOpt.h changed the caller's macros");
static_assert(XelGetOpt::ParamType(no_argument) == 0);
static_assert(XelGetOpt::ParamType(required_argument) == 1);
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
