// SPDX-License-Identifier: MIT
// An open file descriptor, closed when it goes out of scope.
#ifndef XELJOB_FILEDESCRIPTOR_H
#define XELJOB_FILEDESCRIPTOR_H

#include <unistd.h>

namespace xeljob {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  // Negative when the open failed.
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace xeljob

#endif  // XELJOB_FILEDESCRIPTOR_H
