// SPDX-License-Identifier: MIT
#include "ArgumentVector.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "FileDescriptor.h"
#include "TextEscape.h"

namespace xeljob {

std::string readVectorBytes(int fd, const std::string& source,
                            std::size_t limit,
                            const std::function<void()>& between) {
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < limit) {
    if (!bytes.empty() && between) {
      between();
    }
    const ssize_t got =
        read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      const int error = errno;
      throw std::runtime_error(systemError("cannot read " + source, error));
    }
    if (got == 0) {
      return bytes;
    }
    if (bytes.size() + static_cast<std::size_t>(got) > kMaxVectorBytes) {
      throw std::runtime_error(source + ": more than " +
                               std::to_string(kMaxVectorBytes >> 20) +
                               " MiB, longer than any argument vector");
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

ArgumentVector splitArgumentVector(const std::string& bytes,
                                   const std::string& source) {
  if (bytes.empty()) {
    throw std::runtime_error(source + ": empty, not even a program name");
  }
  ArgumentVector vector;
  std::size_t start = bytes.find('\0');
  vector.program = bytes.substr(0, start);
  while (start != std::string::npos && start + 1 < bytes.size()) {
    const std::size_t end = bytes.find('\0', start + 1);
    vector.words.push_back(bytes.substr(start + 1, end - start - 1));
    start = end;
  }
  return vector;
}

ArgumentVector readArgumentFile(const std::string& path) {
  if (path == "-") {
    const std::string source = "standard input";
    return splitArgumentVector(readVectorBytes(STDIN_FILENO, source), source);
  }
  const std::string source = quoted(path);
  const FileDescriptor file(openToRead(AT_FDCWD, path.c_str(), source));
  return splitArgumentVector(readVectorBytes(file.get(), source), source);
}

}  // namespace xeljob
