// SPDX-License-Identifier: MIT
// Checks shared by the fuzz targets: a breach aborts, which the fuzzer
// reports as a finding and the replay test as a crash.
#ifndef XELOPTS_FUZZ_INVARIANTS_H
#define XELOPTS_FUZZ_INVARIANTS_H

#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

#endif  // XELOPTS_FUZZ_INVARIANTS_H
