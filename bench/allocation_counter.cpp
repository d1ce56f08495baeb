// SPDX-License-Identifier: MIT
#include "allocation_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>

#include <benchmark/benchmark.h>

// The C library's own entry points: the replacements below count and hand
// every request on, so all blocks still come from one allocator and free
// stays consistent with the calls we do not replace (posix_memalign...).
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<long> requests{0};

// The benchmarks allocate on one thread: a locked increment would only add
// its own cost to the side that allocates.
void count_request() noexcept {
  requests.store(requests.load(std::memory_order_relaxed) + 1,
                 std::memory_order_relaxed);
}

}  // namespace

extern "C" void* malloc(std::size_t size) noexcept {
  count_request();
  return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size) noexcept {
  count_request();
  return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, std::size_t size) noexcept {
  count_request();
  return __libc_realloc(block, size);
}

extern "C" void free(void* block) noexcept { __libc_free(block); }

namespace bench {

long allocation_count() noexcept {
  return requests.load(std::memory_order_relaxed);
}

bool allocation_counter_works() {
  const long before = allocation_count();
  int* object = new int(7);
  benchmark::DoNotOptimize(object);
  delete object;
  void* block = std::malloc(16);
  benchmark::DoNotOptimize(block);
  std::free(block);
  return allocation_count() - before == 2;
}

}  // namespace bench
