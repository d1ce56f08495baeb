// SPDX-License-Identifier: MIT
// The library's only speed-only attributes, named once. Each use says, in a
// line beside it, what it bought (bench/README.md has the figures).
#ifndef XELOPTS_SRC_INLINING_H
#define XELOPTS_SRC_INLINING_H

// Inline every call the function makes, so that steps split for reading
// cost nothing at run time.
#define XELOPTS_FLATTEN __attribute__((flatten))
// Keep a rare path out of its caller, which then saves no registers for it.
#define XELOPTS_NOINLINE __attribute__((noinline))

#endif  // XELOPTS_SRC_INLINING_H
