// SPDX-License-Identifier: MIT
// Counts the heap blocks this process requests, so that a benchmark can
// report how many allocations one scan makes on either side.
#ifndef XELOPTS_BENCH_ALLOCATION_COUNTER_H
#define XELOPTS_BENCH_ALLOCATION_COUNTER_H

namespace bench {

// Blocks requested through malloc, calloc or realloc so far. The C++
// runtime's operator new goes through malloc, so each block counts once.
long allocation_count() noexcept;

// True when both malloc and operator new are seen by the counter; the
// figures are meaningless otherwise.
bool allocation_counter_works();

}  // namespace bench

#endif  // XELOPTS_BENCH_ALLOCATION_COUNTER_H
