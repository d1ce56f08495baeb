// SPDX-License-Identifier: MIT
// Compiled, never run: <getopt.h> before the scanner's header (with
// XELOPTS_GETOPT_H_FIRST) and after it. Either way the header compiles, the
// C library's macros stay as they were, and a caller names the argument
// kinds through them.
#ifdef XELOPTS_GETOPT_H_FIRST
#include <getopt.h>
#endif

#include "XelGetOpt.h"

#ifndef XELOPTS_GETOPT_H_FIRST
#include <getopt.h>
#endif

#if !defined(no_argument) || !defined(required_argument)
#error "XelGetOpt.h removed the caller's macros"
#endif
static_assert(no_argument == 0 && required_argument == 1,
              "XelGetOpt.h changed the caller's macros");

void addNamesBesideGetoptH(XelGetOpt& scanner) {
  scanner.add_long_option("data", XelGetOpt::ParamType(no_argument), 'F');
  scanner.add_long_option("cn", XelGetOpt::ParamType(required_argument), 'c');
}
