#include "StderrCapture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace xeljob {
namespace {

[[noreturn]] void fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

StderrCapture::StderrCapture()
    : capture_(memfd_create("xeljob-stderr", MFD_CLOEXEC)) {
  if (capture_ < 0) {
    fail("memfd_create");
  }
  std::fflush(stderr);
  saved_ = dup(STDERR_FILENO);
  if (saved_ < 0 || dup2(capture_, STDERR_FILENO) < 0) {
    const int error = errno;
    if (saved_ >= 0) {
      close(saved_);
    }
    close(capture_);
    errno = error;
    fail("redirecting standard error");
  }
}

StderrCapture::~StderrCapture() {
  restore();
  if (capture_ >= 0) {
    close(capture_);
  }
}

void StderrCapture::restore() noexcept {
  if (saved_ >= 0) {
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
  }
}

std::string StderrCapture::finish() {
  restore();
  std::string text;
  char buffer[4096];
  for (off_t offset = 0;;) {
    const ssize_t got = pread(capture_, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    text.append(buffer, static_cast<std::size_t>(got));
    offset += got;
  }
  return text;
}

}  // namespace xeljob
