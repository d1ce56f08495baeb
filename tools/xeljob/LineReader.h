// SPDX-License-Identifier: MIT
// Reads a file line by line through one buffer of its own, keeping at most
// a bounded line: a longer one is measured and skipped, so that memory does
// not grow with the input.
#ifndef XELJOB_LINEREADER_H
#define XELJOB_LINEREADER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xeljob {

class LineReader {
 public:
  enum class Got {
    line,     // the next line, without its line end
    tooLong,  // a line of more than the bound, skipped
    end,      // no more
    failed,   // a read failed: error() says why
  };

  LineReader(int fd, std::size_t maxBytes);

  // A last line without a line end is a line all the same.
  Got next(std::string& line);
  // The bytes of the line last read (without its line end).
  std::uint64_t length() const { return length_; }
  // The errno value of a failed read.
  int error() const { return error_; }

 private:
  bool refill();

  int fd_;
  std::size_t maxBytes_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  std::uint64_t length_ = 0;
  int error_ = 0;
};

}  // namespace xeljob

#endif  // XELJOB_LINEREADER_H
