// SPDX-License-Identifier: MIT
#include "ToolRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

// A memory file instead of pipes: the child may write more than a pipe
// holds before the parent gets to read.
class OutputFile {
 public:
  OutputFile() : fd_(memfd_create("xeljob-test", 0)) {
    if (fd_ < 0) {
      throw std::runtime_error("memfd_create failed");
    }
  }
  ~OutputFile() { close(fd_); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  int fd() const { return fd_; }
  std::string contents() const {
    std::string text;
    char buffer[65536];
    for (off_t at = 0;;) {
      const ssize_t got = pread(fd_, buffer, sizeof buffer, at);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        return text;
      }
      text.append(buffer, static_cast<std::size_t>(got));
      at += got;
    }
  }

 private:
  int fd_;
};

std::vector<char*> nullTerminated(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) {
    pointers.push_back(text.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ToolRun runTool(const std::vector<std::string>& args,
                const std::vector<std::string>& environment,
                const ToolStreams& streams,
                const std::optional<std::string>& input) {
  std::vector<std::string> argvTexts{XELJOB_PATH};
  argvTexts.insert(argvTexts.end(), args.begin(), args.end());
  // The test's own environment (sanitizer settings, say), without the one
  // variable the tool is about, plus the entries asked for.
  std::vector<std::string> envTexts;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, "POSIXLY_CORRECT=", 16) != 0) {
      envTexts.emplace_back(*entry);
    }
  }
  envTexts.insert(envTexts.end(), environment.begin(), environment.end());
  std::vector<char*> argv = nullTerminated(argvTexts);
  std::vector<char*> envp = nullTerminated(envTexts);

  OutputFile out;
  OutputFile err;
  OutputFile in;
  const std::string& text = input.value_or(std::string());
  if (pwrite(in.fd(), text.data(), text.size(), 0) !=
      static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("cannot write the child's input");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (input) {
    posix_spawn_file_actions_adddup2(&actions, in.fd(), STDIN_FILENO);
  }
  int pipeEnds[2] = {-1, -1};
  switch (streams.out) {
    case ToolStreams::kCaptured:
      posix_spawn_file_actions_adddup2(&actions, out.fd(), STDOUT_FILENO);
      break;
    case ToolStreams::kFullDevice:
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full",
                                       O_WRONLY, 0);
      break;
    case ToolStreams::kPipeWithoutReader:
      if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
      }
      close(pipeEnds[0]);
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
      break;
  }
  if (streams.closeInputAndError) {
    posix_spawn_file_actions_addclose(&actions, STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_adddup2(&actions, err.fd(), STDERR_FILENO);
  }
  pid_t child = 0;
  const int failed =
      posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) {
    close(pipeEnds[1]);
  }
  if (failed != 0) {
    throw std::runtime_error("cannot start " + argvTexts[0]);
  }
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
  }

  ToolRun run;
  run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  run.out = out.contents();
  run.err = err.contents();
  return run;
}
