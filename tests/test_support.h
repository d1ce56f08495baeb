// SPDX-License-Identifier: MIT
// Shared helpers for the unit tests: a mutable argument vector built from
// words, capture of standard output and standard error at the descriptor
// level, and a guard that sets or unsets an environment variable.
#ifndef XELOPTS_TESTS_TEST_SUPPORT_H
#define XELOPTS_TESTS_TEST_SUPPORT_H

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace test_support {

// An argument vector like the one a process receives: writable texts, a null
// pointer after the last element. Scanning reorders the pointers only.
class Args {
 public:
  Args(std::initializer_list<const char*> words)
      : Args(std::vector<std::string>(words.begin(), words.end())) {}
  explicit Args(std::vector<std::string> words) : texts_(std::move(words)) {
    for (std::string& text : texts_) {
      pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
  }
  // Splits at spaces: Args::of("prog -x a").
  static Args of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
      words.push_back(word);
    }
    return Args(std::move(words));
  }
  Args(const Args&) = delete;
  Args& operator=(const Args&) = delete;
  Args(Args&&) = default;

  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  char** argv() { return pointers_.data(); }

  // The vector in its current order, joined by spaces.
  std::string joined() const {
    std::string line;
    for (int i = 0; i < argc(); ++i) {
      line += (i == 0 ? "" : " ") +
              std::string(pointers_[static_cast<std::size_t>(i)]);
    }
    return line;
  }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

struct Output {
  std::string out;
  std::string err;
};

// Runs body with descriptors 1 and 2 redirected to temporary files, so that
// whatever the code under test writes, through stdio or not, is caught.
inline Output capture(const std::function<void()>& body) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::FILE* out_file = std::tmpfile();
  std::FILE* err_file = std::tmpfile();
  const int saved_out = dup(1);
  const int saved_err = dup(2);
  dup2(fileno(out_file), 1);
  dup2(fileno(err_file), 2);
  body();
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, 1);
  dup2(saved_err, 2);
  close(saved_out);
  close(saved_err);
  auto read_all = [](std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      text.append(buffer, n);
    }
    std::fclose(file);
    return text;
  };
  return Output{read_all(out_file), read_all(err_file)};
}

// Sets (or, given nullopt, unsets) an environment variable for its lifetime.
class EnvGuard {
 public:
  EnvGuard(const char* name, std::optional<const char*> value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    set(value);
  }
  ~EnvGuard() {
    set(old_ ? std::optional<const char*>(old_->c_str()) : std::nullopt);
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

  void set(std::optional<const char*> value) {
    if (value) {
      setenv(name_, *value, 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace test_support

#endif  // XELOPTS_TESTS_TEST_SUPPORT_H
