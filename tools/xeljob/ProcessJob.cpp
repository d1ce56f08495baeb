// SPDX-License-Identifier: MIT
#include "ProcessJob.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "FileDescriptor.h"

namespace xeljob {
namespace {

// Finds an entry that begins with "POSIXLY_CORRECT=" in a NUL-separated
// environment fed to it in pieces, keeping nothing of the entries but how
// much of the name the current one has matched, and whether any entry so
// far was NAME=VALUE.
class VariableMatcher {
 public:
  void feed(const char* bytes, std::size_t count) {
    fed_ = fed_ || count != 0;
    for (std::size_t i = 0; i < count; ++i) {
      entries_ = entries_ || (bytes[i] == '=' && named_);
      named_ = bytes[i] != '\0';
      if (bytes[i] == '\0') {
        matched_ = 0;
        mismatch_ = false;
      } else if (!mismatch_ && !found_) {
        mismatch_ = bytes[i] != kPrefix[matched_];
        found_ = !mismatch_ && ++matched_ == sizeof kPrefix - 1;
      }
    }
  }
  bool found() const { return found_; }
  // Bytes, but no NAME=VALUE entry among them: what a title written over
  // the environment leaves, which tells nothing of the variable.
  bool overwritten() const { return fed_ && !entries_; }

 private:
  static constexpr char kPrefix[] = "POSIXLY_CORRECT=";
  std::size_t matched_ = 0;
  bool mismatch_ = false;
  bool found_ = false;
  bool fed_ = false;
  bool named_ = false;  // the current entry has a byte before this one
  bool entries_ = false;
};

// Reads the environment through one small buffer, wiped after each read and
// on the way out.
void readEnvironment(int directory, const std::string& path, ProcessJob& job,
                     ReadSeam seam) {
  const FileDescriptor file(openat(directory, "environ", O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    const int error = errno;
    job.environmentError = systemError("cannot open " + path, error);
    return;
  }
  if (seam != nullptr) {
    seam(job.pid, ReadPoint::beforeEnvironmentRead);
  }
  VariableMatcher matcher;
  char buffer[4096];
  for (ssize_t got = 1; got != 0;) {
    got = read(file.get(), buffer, sizeof buffer);
    const int error = errno;
    if (got > 0) {
      matcher.feed(buffer, static_cast<std::size_t>(got));
    }
    explicit_bzero(buffer, sizeof buffer);
    if (got < 0 && error != EINTR) {
      job.environmentError = systemError("cannot read " + path, error);
      return;
    }
  }
  if (matcher.overwritten()) {
    job.environmentError =
        "it holds no NAME=VALUE entry, as when a title was written over it";
    return;
  }
  job.environmentRead = true;
  job.posixlyCorrect = matcher.found();
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
  const FileDescriptor file(openToRead(directory, "stat", path));
  const std::string text = readVectorBytes(file.get(), path);
  // The program's name (field 2) may hold spaces and ')': the fields after
  // it are counted from its last ')'.
  const std::size_t nameEnd = text.rfind(')');
  if (nameEnd == std::string::npos) {
    throw std::runtime_error(path + ": no program name in parentheses");
  }
  std::istringstream in(text.substr(nameEnd + 1));
  const std::vector<std::string> fields{std::istream_iterator<std::string>(in),
                                        {}};
  // Field `number` counts from 1, the process id.
  const auto value = [&fields](std::size_t number) {
    return number - 3 < fields.size()
               ? std::strtoull(fields[number - 3].c_str(), nullptr, 10)
               : 0ULL;
  };
  return {fields.empty() ? '\0' : fields[0][0], value(22), value(48),
          value(49)};
}

// The size of the argument area that `stat` bounds; a process that hides
// the bounds, or has none, throws.
std::size_t argumentAreaSize(const ProcessStat& stat, int cmdline,
                             const std::string& cmdlinePath,
                             const std::string& name,
                             const std::string& statPath) {
  // A job that wrote its title over the last NUL of its argument area gets
  // the kernel to read on into its environment: without the area's end,
  // nothing tells the two apart, so nothing is read but whether there are
  // words at all.
  if (stat.argEnd <= stat.argStart) {
    if (readVectorBytes(cmdline, cmdlinePath, 1).empty()) {
      throw std::runtime_error(cmdlinePath +
                               ": empty (a kernel thread, or a process that "
                               "has exited)");
    }
    throw std::runtime_error(
        name + ": " + statPath +
        " hides the bounds of its argument area (another user's job, or one "
        "that made itself non-dumpable), so its words cannot be told apart "
        "from its environment; read a copy of its words with --cmdline, or "
        "run xeljob as a user allowed to trace the job");
  }
  if (stat.argEnd - stat.argStart > kMaxVectorBytes) {
    throw std::runtime_error(name + ": an argument area of more than " +
                             std::to_string(kMaxVectorBytes >> 20) + " MiB");
  }
  return static_cast<std::size_t>(stat.argEnd - stat.argStart);
}

// Throws unless the process read as `before` is still there, running the
// same program. Exiting, a process lets go of its memory, which then reads
// as empty: a read cut short, and an empty environment, are of no live job.
// Another program started meanwhile was read with the bounds of the one
// before, which may end past its own argument area.
void requireUnchanged(int directory, const std::string& path,
                      const ProcessStat& before, const std::string& name) {
  ProcessStat now;
  try {
    now = readStat(directory, path);
  } catch (const std::runtime_error&) {
    // gone: `now` keeps no argument area
  }
  const bool gone = now.state == 'Z' || now.state == 'X' ||
                    now.startTime != before.startTime ||
                    now.argEnd <= now.argStart;
  if (gone || now.argStart != before.argStart || now.argEnd != before.argEnd) {
    throw std::runtime_error(
        name + (gone ? " exited while it was read; its words are not shown"
                     : " started another program while it was read; try "
                       "again"));
  }
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

ProcessJob readProcessJob(long pid, ReadSeam seam) {
  ProcessJob job;
  job.pid = pid;
  const std::string name = "process " + std::to_string(pid);
  // Every file through the process's own directory: should the process
  // end and its id be taken again, they fail instead of reading another.
  const std::string directoryPath = "/proc/" + std::to_string(pid);
  const FileDescriptor directory(
      open(directoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() < 0) {
    const int error = errno;
    throw std::runtime_error(
        error == ENOENT ? "no " + name + " (it has exited, or never was)"
                        : systemError("cannot open " + directoryPath, error));
  }
  const std::string statPath = directoryPath + "/stat";
  const ProcessStat stat = readStat(directory.get(), statPath);
  const std::string cmdlinePath = directoryPath + "/cmdline";
  const FileDescriptor cmdline(
      openToRead(directory.get(), "cmdline", cmdlinePath));
  const std::size_t size =
      argumentAreaSize(stat, cmdline.get(), cmdlinePath, name, statPath);
  // It stops short where the kernel gives no more.
  const std::string bytes =
      readVectorBytes(cmdline.get(), cmdlinePath, size, [seam, pid] {
        if (seam != nullptr) {
          seam(pid, ReadPoint::betweenCommandLineReads);
        }
      });
  readEnvironment(directory.get(), directoryPath + "/environ", job, seam);
  requireUnchanged(directory.get(), statPath, stat, name);
  if (bytes.size() != size) {
    throw std::runtime_error(
        name + ": " + cmdlinePath + " gave " + std::to_string(bytes.size()) +
        " of the " + std::to_string(size) +
        " bytes of its argument area (a title written over the area's last "
        "NUL is given only up to its own first NUL, a page at most); its "
        "words are not shown");
  }
  job.vector = splitArgumentVector(bytes, cmdlinePath);
  return job;
}

}  // namespace xeljob
