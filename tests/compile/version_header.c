// SPDX-License-Identifier: MIT
// XeloptsVersion.h needs no C++17: C and every C++ standard compile it, and
// C++11 on also see xelopts::version().
#include <xelopts/XeloptsVersion.h>

int compiled_against = XELOPTS_VERSION;
#if defined(__cplusplus) && __cplusplus >= 201103L
const char* (*running)() = xelopts::version;
#endif
