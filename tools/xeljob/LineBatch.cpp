// SPDX-License-Identifier: MIT
#include "LineBatch.h"

#include <utility>

#include "JobOutcome.h"
#include "Report.h"
#include "ShellWords.h"
#include "TextEscape.h"

namespace xeljob {

LineBatch::LineBatch(const JobKind& kind, const BatchOptions& options,
                     std::string source)
    : kind_(kind), options_(options), source_(std::move(source)) {}

std::string LineBatch::where(std::uint64_t number) const {
  return source_ + ':' + std::to_string(number) + ": ";
}

void LineBatch::head(JsonWriter& json, std::uint64_t number) const {
  json.beginObject();
  json.member("line", number);
  if (options_.keyed) {
    json.member("key", key_);
  }
}

void LineBatch::refuse(std::uint64_t number, const std::string& error,
                       const std::string_view* line, std::string& out) {
  summary_.addUnsplit();
  JsonWriter json(out, true);
  head(json, number);
  json.member("error", where(number) + error);
  if (line != nullptr) {
    json.member("text", *line);
  }
  json.endObject();
}

void LineBatch::take(std::uint64_t number, const std::string& whole,
                     std::string& out) {
  std::string_view line = whole;
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  // No word in it: blank, or a comment from its first word on.
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] == '#') {
    summary_.addSkipped();
    return;
  }
  key_.reset();
  if (options_.keyed) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      refuse(number, "no tab after a key (a line is KEY<TAB>WORDS)", &line,
             out);
      return;
    }
    key_ = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  const std::size_t nul = line.find('\0');
  if (nul != std::string_view::npos) {
    refuse(number,
           "a NUL byte at column " + std::to_string(nul + 1) +
               ", which no job word can hold",
           &line, out);
    return;
  }
  ShellWords split = splitShellWords(line, true);
  if (!split.error.empty()) {
    refuse(number, split.error, &line, out);
    return;
  }
  const JobOutcome outcome =
      runJob(kind_, std::move(split.words), options_.posix, options_.trace,
             options_.canonical);
  summary_.add(outcome);
  JsonWriter json(out, true);
  head(json, number);
  const std::size_t notUtf8 = firstNonUtf8(line);
  if (notUtf8 != std::string_view::npos) {
    summary_.addNotUtf8();
    json.member("warning", where(number) + "not UTF-8 from column " +
                               std::to_string(notUtf8 + 1) +
                               "; its bytes are kept as they are");
  }
  outcomeMembers(json, outcome, options_.trace, options_.canonical);
  json.endObject();
}

void LineBatch::takeTooLong(std::uint64_t number, std::uint64_t length,
                            std::string& out) {
  key_.reset();
  refuse(number,
         "a line of " + std::to_string(length) + " bytes, more than the " +
             std::to_string(kMaxLineBytes) + " a job line may have",
         nullptr, out);
}

}  // namespace xeljob
