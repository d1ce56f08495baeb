// SPDX-License-Identifier: MIT
#include "Progress.h"

#include <unistd.h>

#include <cstdio>

namespace xeljob {

Progress::Progress()
    : enabled_(isatty(STDERR_FILENO) == 1),
      next_(Clock::now() + std::chrono::seconds(1)) {}

void Progress::update(std::uint64_t lines) {
  // Looking at the clock every 64 lines costs nothing to speak of.
  if (!enabled_ || lines % 64 != 0) {
    return;
  }
  const Clock::time_point now = Clock::now();
  if (now < next_) {
    return;
  }
  next_ = now + std::chrono::milliseconds(250);
  std::fprintf(stderr, "\rxeljob: %llu lines\033[K",
               static_cast<unsigned long long>(lines));
  std::fflush(stderr);
  shown_ = true;
}

void Progress::clear() {
  if (shown_) {
    std::fputs("\r\033[K", stderr);
    shown_ = false;
  }
}

}  // namespace xeljob
