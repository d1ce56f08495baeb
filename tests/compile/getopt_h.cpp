// SPDX-License-Identifier: MIT
// Compiled, never run: <getopt.h> before the scanner's header (with
// XELOPTS_GETOPT_H_FIRST) and after it. Either way the header compiles, the
// C library's macros stay as they were, and a caller names the argument
// kinds through them and ends a table of its own with a value-initialised
// entry (0 does not convert to XelGetOpt::ParamType).
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

XelGetOpt::option spelledOutTable[] = {
    {"cn", XelGetOpt::ParamType(required_argument), nullptr, 'c'},
    {nullptr, XelGetOpt::ParamType{}, nullptr, 0}};
XelGetOpt::option shortTable[] = {
    {"data", XelGetOpt::ParamType(no_argument), nullptr, 'F'}, {}};

void installTablesBesideGetoptH(XelGetOpt& first, XelGetOpt& second) {
  first.set_long_options(spelledOutTable);
  second.set_long_options(shortTable);
}
