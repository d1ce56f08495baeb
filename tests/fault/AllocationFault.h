// SPDX-License-Identifier: MIT
// Allocation failure injection for the fault test binary. AllocationFault.cpp
// replaces the global operator new and delete of the binary it is linked
// into (the library's allocations included), so that the k-th allocation
// can be made to throw std::bad_alloc and the blocks still alive counted.
#ifndef XELOPTS_TESTS_FAULT_ALLOCATIONFAULT_H
#define XELOPTS_TESTS_FAULT_ALLOCATIONFAULT_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace fault {

// Makes the number-th allocation from now on throw (1: the next one) and
// restarts the count; 0 disarms.
void failAllocation(std::size_t number);
// Allocations counted since the last failAllocation(), the failed one
// included.
std::size_t allocationsCounted();
// Whether the armed allocation has been reached and thrown.
bool failureInjected();
// Blocks from operator new not yet given back to operator delete.
long liveBlocks();

struct SweepResult {
  std::size_t allocations = 0;  // made by the run that completed
  std::size_t failedRuns = 0;   // runs that met their injected failure
  std::vector<std::string> problems;
};

// Runs `run` again and again with its 1st, 2nd, ... allocation failing,
// until a run completes without reaching its failing allocation. Before
// each run `prepare` sets the scene without failures. A run whose failure
// was injected must end in std::bad_alloc; every run must give back all the
// blocks it took. Breaches are listed in problems.
SweepResult sweepAllocationFailures(const std::function<void()>& prepare,
                                    const std::function<void()>& run);

}  // namespace fault

#endif  // XELOPTS_TESTS_FAULT_ALLOCATIONFAULT_H
