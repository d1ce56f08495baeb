// SPDX-License-Identifier: MIT
// How far a long run has got, on standard error when that is a terminal:
// nothing for the first second, then a line rewritten a few times a second.
#ifndef XELJOB_PROGRESS_H
#define XELJOB_PROGRESS_H

#include <chrono>
#include <cstdint>

namespace xeljob {

class Progress {
 public:
  Progress();
  // `lines` have been done.
  void update(std::uint64_t lines);
  // Erases the line, if one was written.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point next_;
};

}  // namespace xeljob

#endif  // XELJOB_PROGRESS_H
