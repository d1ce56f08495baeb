// SPDX-License-Identifier: MIT
// A job's argument vector in the kernel's format, as /proc/PID/cmdline
// holds it: each word followed by a NUL byte, the program name first.
#ifndef XELJOB_ARGUMENTVECTOR_H
#define XELJOB_ARGUMENTVECTOR_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xeljob {

struct ArgumentVector {
  std::string program;
  std::vector<std::string> words;  // after the program name
};

// More than the kernel passes to a program in all (its limit is a quarter
// of the stack limit, 2 MiB by default): reading stops there.
constexpr std::size_t kMaxVectorBytes = 16U << 20;

// Reads an open descriptor to its end, or `limit` bytes, calling `between`
// between its reads; a failure, or more than kMaxVectorBytes, throws
// std::runtime_error naming `source`.
std::string readVectorBytes(int fd, const std::string& source,
                            std::size_t limit = SIZE_MAX,
                            const std::function<void()>& between = nullptr);

// Splits the bytes at each NUL. A last word without its NUL (a program may
// rewrite its vector) is a word all the same. No word at all throws
// std::runtime_error naming `source`.
ArgumentVector splitArgumentVector(const std::string& bytes,
                                   const std::string& source);

// Reads the vector from the file at `path`; "-" reads standard input.
ArgumentVector readArgumentFile(const std::string& path);

}  // namespace xeljob

#endif  // XELJOB_ARGUMENTVECTOR_H
