// SPDX-License-Identifier: MIT
#include "xelopts/XeloptsVersion.h"

// The macros as this library was compiled with them, as text.
#define XELOPTS_TEXT(value) #value
#define XELOPTS_NUMBER(macro) XELOPTS_TEXT(macro)

namespace {
constexpr char kVersion[] = XELOPTS_NUMBER(XELOPTS_VERSION_MAJOR)  //
    "." XELOPTS_NUMBER(XELOPTS_VERSION_MINOR)                      //
    "." XELOPTS_NUMBER(XELOPTS_VERSION_PATCH);
}  // namespace

const char* xelopts::version() noexcept { return kVersion; }
