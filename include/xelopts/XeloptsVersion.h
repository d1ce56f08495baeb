// SPDX-License-Identifier: MIT
// The version of xelopts that a program is compiled against; CMake reads
// the project's version from here. xelopts::version() tells the version of
// the library it runs with. C and any C++ standard compile this header.
#ifndef XELOPTS_XELOPTSVERSION_H
#define XELOPTS_XELOPTSVERSION_H

#define XELOPTS_VERSION_MAJOR 1
#define XELOPTS_VERSION_MINOR 0
#define XELOPTS_VERSION_PATCH 1
// The three as one number, to compare in #if: MAJOR * 10000 + MINOR * 100 +
// PATCH (10203 is 1.2.3).
#define XELOPTS_VERSION 10001

#if defined(__cplusplus) && __cplusplus >= 201103L

#ifndef XELOPTS_API
#define XELOPTS_API __attribute__((visibility("default")))
#endif

namespace xelopts {

// "MAJOR.MINOR.PATCH" of the library the program runs with: the shared
// library loaded, or the static one linked in. Static storage; no
// allocation, so any program may ask at any time.
XELOPTS_API const char* version() noexcept;

}  // namespace xelopts

#endif

#endif  // XELOPTS_XELOPTSVERSION_H
