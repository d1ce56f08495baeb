// SPDX-License-Identifier: MIT
#include "LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xeljob {

LineReader::LineReader(int fd, std::size_t maxBytes)
    : fd_(fd), maxBytes_(maxBytes), buffer_(65536) {}

bool LineReader::refill() {
  for (;;) {
    const ssize_t got = read(fd_, buffer_.data(), buffer_.size());
    if (got >= 0) {
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
      atEnd_ = got == 0;
      return true;
    }
    if (errno != EINTR) {
      error_ = errno;
      return false;
    }
  }
}

LineReader::Got LineReader::next(std::string& line) {
  line.clear();
  length_ = 0;
  bool started = false;
  for (;;) {
    if (begin_ == end_) {
      if (atEnd_ || !refill()) {
        return error_ != 0 ? Got::failed : Got::end;
      }
      if (atEnd_) {
        break;
      }
    }
    started = true;
    const char* start = buffer_.data() + begin_;
    const auto* lineEnd =
        static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    const std::size_t count = lineEnd != nullptr
                                  ? static_cast<std::size_t>(lineEnd - start)
                                  : end_ - begin_;
    length_ += count;
    if (length_ <= maxBytes_) {
      line.append(start, count);
    }
    begin_ += count;
    if (lineEnd != nullptr) {
      ++begin_;
      break;
    }
  }
  if (!started) {
    return Got::end;
  }
  if (length_ > maxBytes_) {
    line.clear();
    return Got::tooLong;
  }
  return Got::line;
}

}  // namespace xeljob
