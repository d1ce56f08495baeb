// SPDX-License-Identifier: MIT
// A job kind's long names as a constant table, which every parser of the
// kind scans with.
#ifndef XELOPTS_SRC_JOBTABLE_H
#define XELOPTS_SRC_JOBTABLE_H

#include <new>

#include "xelopts/XelGetOpt.h"
#include "xelopts/XelOptionsParser.h"

namespace xelopts::detail {

// The long names of a vocabulary, in their order. The records that begin
// with one byte are chained in their order, so that a lookup compares only
// names that begin like the text. The names hold no "=" (the kind's
// declaration checks), so a text that matches one carries no argument.
// Made at compile time and never written: add_long_option copies it first.
class JobTable {
 public:
  using option = XelGetOpt::option;

  constexpr explicit JobTable(const XelOptionsParser::Vocabulary& vocabulary)
      : shortOptions_(vocabulary.shortOptions) {
    for (int i = 0; i < vocabulary.count; ++i) {
      const XelOptionsParser::OptionSpec& entry = vocabulary.options[i];
      if (entry.name != nullptr) {
        records_[names_] = option{entry.name, entry.kind, nullptr,
                                  static_cast<signed char>(entry.code)};
        while (entry.name[lengths_[names_]] != '\0') {
          ++lengths_[names_];
        }
        ++names_;
      }
    }
    records_[names_] = option{nullptr, XelGetOpt::no_argument, nullptr, 0};
    for (int i = names_ - 1; i >= 0; --i) {
      auto& head = first_[static_cast<unsigned char>(records_[i].name[0])];
      next_[i] = head;
      head = static_cast<unsigned char>(i + 1);
    }
    for (int i = 0; shortOptions_[i] != '\0'; ++i) {
      auto& at = letters_[static_cast<unsigned char>(shortOptions_[i])];
      at = at != 0 ? at : static_cast<unsigned char>(i + 1);
    }
  }

  // A new scan of the vector with the kind's options, made in the scanner
  // itself (no new scanner built apart and copied over it), which reads
  // this table as if its names had been added one by one.
  void startScan(XelGetOpt& scanner, int count, char** vector) {
    scanner.~XelGetOpt();
    ::new (static_cast<void*>(&scanner))
        XelGetOpt(count, vector, shortOptions_);
    scanner.job_table_ = this;
    scanner.longopts = records_;
    scanner.long_count = names_;
  }

  const option* records() const { return records_; }
  // The first record whose name begins with byte, and the next such one;
  // -1 after the last.
  int first(char byte) const {
    return first_[static_cast<unsigned char>(byte)] - 1;
  }
  int next(int index) const { return next_[index] - 1; }
  // Whether the name of record index, which begins like text, is the whole
  // text: its length known, the compare tests each byte once.
  bool isWhole(int index, const char* text) const {
    const char* name = records_[index].name;
    const int length = lengths_[index];
    for (int at = 1; at < length; ++at) {
      if (name[at] != text[at]) {
        return false;
      }
    }
    return text[length] == '\0';
  }
  int length(int index) const { return lengths_[index]; }
  // The first c in the option string, or null, as strchr finds it (a
  // letter table: 45 instructions of a backup parse).
  const char* letter(char c) const {
    const int at = letters_[static_cast<unsigned char>(c)];
    return at != 0 ? shortOptions_ + at - 1 : nullptr;
  }

 private:
  option records_[XelGetOpt::kTableCapacity]{};  // first: records() is this
  const char* shortOptions_;
  int names_ = 0;
  unsigned char first_[256]{};  // record index + 1, 0 for none
  unsigned char next_[XelGetOpt::kTableCapacity]{};
  unsigned char lengths_[XelGetOpt::kTableCapacity]{};
  unsigned char letters_[256]{};  // entry in shortOptions_ + 1, 0 for none
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBTABLE_H
