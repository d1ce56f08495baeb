// SPDX-License-Identifier: MIT
// --lines: a file of job lines, one JSON line out for each line in, written
// as it goes; the summary on standard error at the end.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "FileDescriptor.h"
#include "LineBatch.h"
#include "LineReader.h"
#include "Modes.h"
#include "Progress.h"
#include "TextEscape.h"
#include "ToolOutput.h"

namespace xeljob {
namespace {

// Output is handed on in pieces of about this size.
constexpr std::size_t kOutputChunk = 65536;

bool writeAll(std::string& out) {
  errno = 0;
  const bool written =
      std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
  out.clear();
  return written;
}

}  // namespace

int runLinesMode(const JobKind& kind, const Request& request) {
  const bool standardInput = request.source == "-";
  const FileDescriptor file(standardInput
                                ? -1
                                : openToRead(AT_FDCWD, request.source.c_str(),
                                             quoted(request.source)));
  const std::string source =
      standardInput ? "(standard input)" : printable(request.source);
  LineReader reader(standardInput ? STDIN_FILENO : file.get(), kMaxLineBytes);
  LineBatch batch(
      kind, {request.posix, request.trace, request.canonical, request.keyed},
      source);
  Progress progress;
  std::string line;
  std::string out;
  std::uint64_t number = 0;
  LineReader::Got got;
  while ((got = reader.next(line)) != LineReader::Got::end &&
         got != LineReader::Got::failed) {
    ++number;
    if (got == LineReader::Got::tooLong) {
      batch.takeTooLong(number, reader.length(), out);
    } else {
      batch.take(number, line, out);
    }
    if (out.size() >= kOutputChunk && !writeAll(out)) {
      progress.clear();
      return outputFailed(errno);
    }
    progress.update(number);
  }
  progress.clear();
  if (!writeAll(out) || std::fflush(stdout) != 0) {
    return outputFailed(errno);
  }
  std::fputs(batch.summary().text().c_str(), stderr);
  if (got == LineReader::Got::failed) {
    std::fprintf(stderr, "xeljob: %s:%llu: cannot read: %s\n", source.c_str(),
                 static_cast<unsigned long long>(number) + 1,
                 std::strerror(reader.error()));
    return kFailed;
  }
  return batch.summary().allClean() ? kClean : kReported;
}

}  // namespace xeljob
