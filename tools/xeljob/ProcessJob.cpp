// SPDX-License-Identifier: MIT
#include "ProcessJob.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "FileDescriptor.h"

namespace xeljob {
namespace {

// Finds an entry that begins with "POSIXLY_CORRECT=" in a NUL-separated
// environment fed to it in pieces, keeping nothing of the entries but how
// much of the name the current one has matched.
class VariableMatcher {
 public:
  void feed(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      if (bytes[i] == '\0') {
        matched_ = 0;
        mismatch_ = false;
      } else if (!mismatch_ && !found_) {
        if (bytes[i] == kPrefix[matched_]) {
          found_ = ++matched_ == sizeof kPrefix - 1;
        } else {
          mismatch_ = true;
        }
      }
    }
  }
  bool found() const { return found_; }

 private:
  static constexpr char kPrefix[] = "POSIXLY_CORRECT=";
  std::size_t matched_ = 0;
  bool mismatch_ = false;
  bool found_ = false;
};

std::string systemError(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

// Reads the environment through one small buffer, wiped after each read and
// on the way out.
void readEnvironment(int directory, const std::string& path, ProcessJob& job,
                     BeforeEnvironmentRead beforeRead) {
  const FileDescriptor file(openat(directory, "environ", O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    const int error = errno;
    job.environmentError = systemError("cannot open " + path, error);
    return;
  }
  if (beforeRead != nullptr) {
    beforeRead(job.pid);
  }
  VariableMatcher matcher;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(file.get(), buffer, sizeof buffer);
    const int error = errno;
    if (got > 0) {
      matcher.feed(buffer, static_cast<std::size_t>(got));
    }
    explicit_bzero(buffer, sizeof buffer);
    if (got < 0 && error == EINTR) {
      continue;
    }
    if (got < 0) {
      job.environmentError = systemError("cannot read " + path, error);
      return;
    }
    if (got == 0) {
      break;
    }
  }
  job.environmentRead = true;
  job.posixlyCorrect = matcher.found();
}

// Opens `name` in the process's directory; a failure throws, naming `path`.
int openIn(int directory, const char* name, const std::string& path) {
  const int fd = openat(directory, name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    throw std::runtime_error(systemError("cannot open " + path, error));
  }
  return fd;
}

// What /proc/PID/stat tells of a process's life and of where its argument
// area lies; a field it lacks reads as 0.
struct ProcessStat {
  char state = '\0';
  unsigned long long startTime = 0;
  unsigned long long argStart = 0;  // 0 without the right to read them
  unsigned long long argEnd = 0;
};

ProcessStat readStat(int directory, const std::string& path) {
  const FileDescriptor file(openIn(directory, "stat", path));
  const std::string text = readVectorBytes(file.get(), path);
  // The program's name (field 2) may hold spaces and ')': the fields after
  // it are counted from its last ')'.
  const std::size_t nameEnd = text.rfind(')');
  if (nameEnd == std::string::npos) {
    throw std::runtime_error(path + ": no program name in parentheses");
  }
  ProcessStat stat;
  std::istringstream fields(text.substr(nameEnd + 1));
  std::string field;
  for (int number = 3; number <= 49 && fields >> field; ++number) {
    const unsigned long long value = std::strtoull(field.c_str(), nullptr, 10);
    if (number == 3) {
      stat.state = field[0];
    } else if (number == 22) {
      stat.startTime = value;
    } else if (number == 48) {
      stat.argStart = value;
    } else if (number == 49) {
      stat.argEnd = value;
    }
  }
  return stat;
}

// What became of the process read as `before` while it was read.
enum class Since { same, gone, otherProgram };

Since changeSince(int directory, const std::string& path,
                  const ProcessStat& before) {
  ProcessStat now;
  try {
    now = readStat(directory, path);
  } catch (const std::runtime_error&) {
    return Since::gone;
  }
  if (now.state == 'Z' || now.state == 'X' ||
      now.startTime != before.startTime || now.argEnd <= now.argStart) {
    return Since::gone;  // exiting, it has let go of its memory
  }
  return now.argStart == before.argStart && now.argEnd == before.argEnd
             ? Since::same
             : Since::otherProgram;
}

}  // namespace

long processId(const std::string& text) {
  long pid = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || pid > 99999999) {
      return 0;
    }
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

ProcessJob readProcessJob(long pid,
                          BeforeEnvironmentRead beforeEnvironmentRead) {
  ProcessJob job;
  job.pid = pid;
  // Every file through the process's own directory: should the process
  // end and its id be taken again, they fail instead of reading another.
  const std::string directoryPath = "/proc/" + std::to_string(pid);
  const FileDescriptor directory(
      open(directoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() < 0) {
    const int error = errno;
    throw std::runtime_error(
        error == ENOENT ? "no process " + std::to_string(pid) +
                              " (it has exited, or never was)"
                        : systemError("cannot open " + directoryPath, error));
  }
  const std::string statPath = directoryPath + "/stat";
  const ProcessStat stat = readStat(directory.get(), statPath);
  // A job that rewrote its title over the last NUL of its argument area
  // gets the kernel to read on into its environment: no byte past the
  // area's end is asked for.
  job.argumentAreaChecked = stat.argEnd > stat.argStart;
  const std::string cmdlinePath = directoryPath + "/cmdline";
  const FileDescriptor cmdline(openIn(directory.get(), "cmdline", cmdlinePath));
  const std::string bytes = readVectorBytes(
      cmdline.get(), cmdlinePath,
      job.argumentAreaChecked
          ? static_cast<std::size_t>(stat.argEnd - stat.argStart)
          : SIZE_MAX);
  if (bytes.empty()) {
    throw std::runtime_error(cmdlinePath +
                             ": empty (a kernel thread, or a process that "
                             "has exited)");
  }
  job.vector = splitArgumentVector(bytes, cmdlinePath);
  readEnvironment(directory.get(), directoryPath + "/environ", job,
                  beforeEnvironmentRead);
  // Another program started meanwhile was read with the bounds of the one
  // before, which may end past its own argument area.
  const Since since = changeSince(directory.get(), statPath, stat);
  if (since == Since::otherProgram) {
    throw std::runtime_error("process " + std::to_string(pid) +
                             " started another program while it was read; "
                             "try again");
  }
  // An environment read after the process let go of its memory reads as
  // empty, as does one a job was started without. By then its stat shows a
  // zombie, or no argument area, or is gone.
  if (job.environmentRead && since == Since::gone) {
    job.environmentRead = false;
    job.posixlyCorrect = false;
    job.environmentError = "it exited while it was read";
  }
  return job;
}

}  // namespace xeljob
