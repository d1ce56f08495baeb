// SPDX-License-Identifier: MIT
// An open file descriptor, closed when it goes out of scope, and opening
// one to read.
#ifndef XELJOB_FILEDESCRIPTOR_H
#define XELJOB_FILEDESCRIPTOR_H

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

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

// "cannot read X: No such file or directory", for an errno value.
inline std::string systemError(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

// Opens `path`, relative to the directory `directory` (or AT_FDCWD), to
// read; a failure throws std::runtime_error naming `source`.
inline int openToRead(int directory, const char* path,
                      const std::string& source) {
  const int fd = openat(directory, path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    throw std::runtime_error(systemError("cannot open " + source, error));
  }
  return fd;
}

}  // namespace xeljob

#endif  // XELJOB_FILEDESCRIPTOR_H
