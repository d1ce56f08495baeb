// SPDX-License-Identifier: MIT
#include "AllocationFault.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> failAt{0};
std::atomic<std::size_t> counted{0};
std::atomic<bool> injected{false};
std::atomic<long> live{0};

void* allocate(std::size_t size, std::size_t alignment) {
  const std::size_t armed = failAt.load(std::memory_order_relaxed);
  if (armed != 0 && counted.fetch_add(1) + 1 == armed) {
    injected = true;
    throw std::bad_alloc();
  }
  if (size == 0) {
    size = 1;
  }
  void* block = alignment <= alignof(std::max_align_t)
                    ? std::malloc(size)
                    : std::aligned_alloc(alignment, (size + alignment - 1) /
                                                        alignment * alignment);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  ++live;
  return block;
}

void release(void* block) noexcept {
  if (block != nullptr) {
    --live;
    std::free(block);
  }
}

void* allocateOrNull(std::size_t size, std::size_t alignment) noexcept {
  try {
    return allocate(size, alignment);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

}  // namespace

// Every replaceable form, so that no default one from a runtime library is
// pulled in beside these.
void* operator new(std::size_t size) { return allocate(size, kPlain); }
void* operator new[](std::size_t size) { return allocate(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment,
                   const std::nothrow_t&) noexcept {
  return allocateOrNull(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment,
                     const std::nothrow_t&) noexcept {
  return allocateOrNull(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::align_val_t) noexcept {
  release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  release(block);
}
void operator delete(void* block, std::align_val_t,
                     const std::nothrow_t&) noexcept {
  release(block);
}
void operator delete[](void* block, std::align_val_t,
                       const std::nothrow_t&) noexcept {
  release(block);
}

namespace fault {

void failAllocation(std::size_t number) {
  failAt = 0;
  counted = 0;
  injected = false;
  failAt = number;
}

std::size_t allocationsCounted() { return counted; }

bool failureInjected() { return injected; }

long liveBlocks() { return live; }

SweepResult sweepAllocationFailures(const std::function<void()>& prepare,
                                    const std::function<void()>& run) {
  SweepResult result;
  for (std::size_t k = 1;; ++k) {
    prepare();
    const long before = liveBlocks();
    bool badAlloc = false;
    bool otherException = false;
    failAllocation(k);
    try {
      run();
    } catch (const std::bad_alloc&) {
      badAlloc = true;
    } catch (...) {
      otherException = true;
    }
    const bool reached = failureInjected();
    const std::size_t made = allocationsCounted();
    failAllocation(0);
    const long leaked = liveBlocks() - before;

    const std::string run_name = "allocation " + std::to_string(k) + ": ";
    if (leaked != 0) {
      result.problems.push_back(run_name + std::to_string(leaked) +
                                " block(s) not released");
    }
    if (otherException) {
      result.problems.push_back(run_name + "an exception other than bad_alloc");
    }
    if (reached && !badAlloc) {
      result.problems.push_back(run_name + "the failure did not surface");
    }
    if (!reached) {
      if (badAlloc) {
        result.problems.push_back(run_name + "bad_alloc without a failure");
      }
      result.allocations = made;
      return result;
    }
    ++result.failedRuns;
  }
}

}  // namespace fault
