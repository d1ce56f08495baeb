// SPDX-License-Identifier: MIT
// What each option of a job kind's vocabulary can change, as the vocabulary
// says: which fields of the record it writes, and which of them accumulate
// (a backup job's restart string). A trace then reads only what a step can
// have changed.
#ifndef XELJOB_OPTIONEFFECTS_H
#define XELJOB_OPTIONEFFECTS_H

#include <cstddef>
#include <string>
#include <vector>

#include "JobKinds.h"

namespace xeljob {

// How an option is written: "-j", or "-cn" (a long name takes one dash or
// two).
std::string optionSpelling(const XelOptionsParser::OptionSpec& option);

class OptionEffects {
 public:
  explicit OptionEffects(const JobKind& kind);
  // The kind's, made once: every outcome of the kind shares it.
  static const OptionEffects& of(const JobKind& kind);

  const JobKind& kind() const { return *kind_; }
  // The record of a parse of no words.
  const Record& defaults() const { return defaults_; }
  // The fields an option can change, in field order; none for a code that
  // is no option of the kind.
  const std::vector<std::size_t>& fieldsOf(int code) const;
  // The spelling of the option of the code; null for a code that is no
  // option of the kind.
  const std::string* spellingOf(int code) const;
  // Every write appends to the field.
  bool accumulates(std::size_t field) const { return accumulates_[field]; }

 private:
  struct Option {
    int code;
    std::string spelling;  // "-j", "-cn"
    std::vector<std::size_t> fields;
  };
  const Option* find(int code) const;
  // The index in the record of the accessor's field.
  std::size_t fieldNamed(const char* accessor) const;

  const JobKind* kind_;
  Record defaults_;
  std::vector<Option> options_;
  std::vector<bool> accumulates_;
};

}  // namespace xeljob

#endif  // XELJOB_OPTIONEFFECTS_H
