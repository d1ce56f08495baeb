// SPDX-License-Identifier: MIT
// Job lines one after another, each split as a shell splits it (comments
// too) and parsed on its own: one JSON line each, with the line's number and
// what --json gives for it, or its error; and a summary of them all. A line
// that holds no word is skipped, and a CR that ends a line is not its own.
#ifndef XELJOB_LINEBATCH_H
#define XELJOB_LINEBATCH_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "BatchSummary.h"
#include "JobKinds.h"
#include "JsonWriter.h"

namespace xeljob {

// No job line is this long: a longer one is refused, and memory per line
// stays bounded.
constexpr std::size_t kMaxLineBytes = 65536;

struct BatchOptions {
  bool posix = false;
  bool trace = false;
  bool canonical = false;
  bool keyed = false;  // each line is KEY<TAB>WORDS
};

class LineBatch {
 public:
  // `source` names the input in messages: "jobs.txt:12: ...".
  LineBatch(const JobKind& kind, const BatchOptions& options,
            std::string source);

  // Appends the JSON line of line `number` (without its line end) to out,
  // if it gets one.
  void take(std::uint64_t number, const std::string& line, std::string& out);
  // Appends the JSON line of a line of `length` bytes, over kMaxLineBytes.
  void takeTooLong(std::uint64_t number, std::uint64_t length,
                   std::string& out);

  const BatchSummary& summary() const { return summary_; }

 private:
  std::string where(std::uint64_t number) const;
  // Opens the line's object with its number and key.
  void head(JsonWriter& json, std::uint64_t number) const;
  void refuse(std::uint64_t number, const std::string& error,
              const std::string_view* line, std::string& out);

  const JobKind& kind_;
  BatchOptions options_;
  std::string source_;
  BatchSummary summary_;
  std::optional<std::string> key_;  // with --keyed, the line's key, if read
};

}  // namespace xeljob

#endif  // XELJOB_LINEBATCH_H
