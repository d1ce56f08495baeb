// Helpers for the job parser tests: owned argument vectors, whole records
// read through every accessor, and scoped stderr and environment changes.
#ifndef XELOPTS_TESTS_PARSER_SUPPORT_H
#define XELOPTS_TESTS_PARSER_SUPPORT_H

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "BackupOptionsParser.h"

namespace parser_test {

// An argument vector "prog WORDS..." that a parser may reorder in place.
class ArgVector {
 public:
  explicit ArgVector(const std::vector<std::string>& words) : texts_{"prog"} {
    texts_.insert(texts_.end(), words.begin(), words.end());
    for (std::string& text : texts_) {
      pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
  }
  ArgVector(const ArgVector&) = delete;
  ArgVector& operator=(const ArgVector&) = delete;

  int argc() const { return static_cast<int>(texts_.size()); }
  char** argv() { return pointers_.data(); }
  // The words after the program name, in their current order.
  std::vector<std::string> words() const {
    return {pointers_.begin() + 1, pointers_.end() - 1};
  }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

// Everything a parser shows, keyed by accessor name.
using Record = std::map<std::string, std::string>;

inline std::string show(bool value) { return value ? "true" : "false"; }
inline std::string show(std::int64_t value) { return std::to_string(value); }
inline std::string show(std::uint64_t value) { return std::to_string(value); }
inline std::string show(const std::string& value) { return value; }

#define XELOPTS_SHOW(parser, accessor) \
  { #accessor, show(parser.accessor()) }

inline Record readRecord(BackupOptionsParser& p) {
  return {
      XELOPTS_SHOW(p, getJobId),         XELOPTS_SHOW(p, getApplicationNumber),
      XELOPTS_SHOW(p, getQuorvelId),     XELOPTS_SHOW(p, getVirtualMachine),
      XELOPTS_SHOW(p, getBackupType),    XELOPTS_SHOW(p, getJobToken),
      XELOPTS_SHOW(p, getClientMachine), XELOPTS_SHOW(p, getMediaAgent),
      XELOPTS_SHOW(p, isLOption),        XELOPTS_SHOW(p, isDOption),
      XELOPTS_SHOW(p, isIOption),        XELOPTS_SHOW(p, getFullRestartString),
      XELOPTS_SHOW(p, getBackupPhase),   XELOPTS_SHOW(p, getRestoreTaskId),
      XELOPTS_SHOW(p, isSkipConversion), XELOPTS_SHOW(p, isIntegrityCheck),
      XELOPTS_SHOW(p, isRBSJob),         XELOPTS_SHOW(p, getNumStreamsForRBS),
      XELOPTS_SHOW(p, isAlwaysONJob),    XELOPTS_SHOW(p, isDctmJob),
      XELOPTS_SHOW(p, isTLToSnapJob)};
}

#undef XELOPTS_SHOW

// The record of a command line with the program name alone.
template <typename Parser>
Record defaultRecord() {
  Record record{{"getJobId", "0"},        {"getApplicationNumber", "0"},
                {"getQuorvelId", "2"},    {"getVirtualMachine", ""},
                {"getJobToken", ""},      {"getClientMachine", ""},
                {"getRestoreTaskId", "0"}};
  record.insert(
      {{"getBackupType", "0"}, {"getMediaAgent", ""}, {"getBackupPhase", ""}});
  if constexpr (std::is_same_v<Parser, BackupOptionsParser>) {
    record.insert({{"getFullRestartString", ""},
                   {"getNumStreamsForRBS", "0"},
                   {"isLOption", "false"},
                   {"isDOption", "false"},
                   {"isIOption", "false"},
                   {"isSkipConversion", "false"},
                   {"isIntegrityCheck", "false"},
                   {"isRBSJob", "false"},
                   {"isAlwaysONJob", "false"},
                   {"isDctmJob", "false"},
                   {"isTLToSnapJob", "false"}});
  }
  return record;
}

// The default record with some accessors changed; a misspelt accessor
// throws.
template <typename Parser>
Record defaultsWith(const Record& changes) {
  Record record = defaultRecord<Parser>();
  for (const auto& [accessor, value] : changes) {
    record.at(accessor) = value;
  }
  return record;
}

// Points fd 2 at a temporary file for the object's life, so diagnostics can
// be read back (or merely kept out of the test log).
class StderrCapture {
 public:
  StderrCapture() : file_(std::tmpfile()) {
    std::fflush(stderr);
    saved_ = dup(2);
    if (file_ == nullptr || saved_ < 0 || dup2(fileno(file_), 2) < 0) {
      ADD_FAILURE() << "cannot redirect stderr";
    }
  }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;
  ~StderrCapture() {
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    std::fclose(file_);
  }

  // Everything written so far; reading empties the capture.
  std::string take() {
    std::fflush(stderr);
    std::string text;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) {
      text += static_cast<char>(c);
    }
    std::rewind(file_);
    if (ftruncate(fileno(file_), 0) != 0) {
      ADD_FAILURE() << "cannot empty the captured stderr";
    }
    return text;
  }

 private:
  std::FILE* file_;
  int saved_;
};

// Sets (or, with a null value, unsets) an environment variable for the
// object's life.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// One parse: the words after "prog", the accessors that change from their
// defaults, the diagnostics expected on stderr and, when given, the words
// as the scan leaves them in argv.
struct ParseCase {
  ParseCase(std::vector<std::string> w, Record c, std::string d = "",
            std::vector<std::string> after = {})
      : words(std::move(w)),
        changes(std::move(c)),
        diagnostics(std::move(d)),
        wordsAfter(std::move(after)) {}

  std::vector<std::string> words;
  Record changes;
  std::string diagnostics;
  std::vector<std::string> wordsAfter;
};

template <typename Parser>
void expectParse(const ParseCase& c) {
  ArgVector args(c.words);
  StderrCapture stderrText;
  Parser parser(args.argc(), args.argv());
  EXPECT_EQ(readRecord(parser), defaultsWith<Parser>(c.changes));
  EXPECT_EQ(stderrText.take(), c.diagnostics);
  if (!c.wordsAfter.empty()) {
    EXPECT_EQ(args.words(), c.wordsAfter);
  }
}

// The words of a case, for failure messages.
inline std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + ("'" + word + "'");
  }
  return text;
}

}  // namespace parser_test

#endif  // XELOPTS_TESTS_PARSER_SUPPORT_H
