// SPDX-License-Identifier: MIT
// The long-option table: the block add_long_option fills, which copies of a
// scanner share, and the static tables of the job kinds.
#ifndef XELOPTS_SRC_LONGOPTIONTABLE_H
#define XELOPTS_SRC_LONGOPTIONTABLE_H

#include <atomic>

#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

class JobTable;

// Room for 31 options and the terminator. A block built by add_long_option
// counts the scanners that hold it: the last one frees it, and a holder
// copies it before writing while another still reads it. A job kind's table
// (JobTable) is static: a constant, never counted, written or freed, so
// every parser of that kind on every thread reads the same one.
class LongOptionTable {
 public:
  using option = XelGetOpt::option;
  static constexpr int kCapacity = XelGetOpt::kTableCapacity;

  // add_long_option: the record and its terminator.
  static void append(XelGetOpt& scanner, const char* name,
                     XelGetOpt::ParamType kind, char value);

  // A new holder of the block (may be null), and one holder fewer.
  static void share(LongOptionTable* block) noexcept;
  static void release(LongOptionTable* block) noexcept;

  const option* records() const { return records_; }

  // The job table that the scanner holds and reads as table, or null.
  static const JobTable* jobTableOf(const XelGetOpt& scanner,
                                    const option* table);

 protected:
  // A job kind's long names: the entries of its vocabulary that have one,
  // in their order.
  constexpr LongOptionTable(const XelOptionsParser::OptionSpec* entries,
                            int count)
      : references_(kStatic), records_{} {
    for (int i = 0; i < count; ++i) {
      if (entries[i].name != nullptr) {
        // Past the capacity, this is no constant expression: a vocabulary
        // that does not fit does not compile.
        records_[names_++] = option{entries[i].name, entries[i].kind, nullptr,
                                    static_cast<signed char>(entries[i].code)};
      }
    }
    records_[names_] = option{nullptr, XelGetOpt::no_argument, nullptr, 0};
  }

  bool isStatic() const {
    return references_.load(std::memory_order_relaxed) == kStatic;
  }
  // The scanner holds block, and no longer what it held.
  static void adopt(XelGetOpt& scanner, LongOptionTable* block);

  // The holders of a built block; a static table has none. (Two ints of
  // header keep a block in malloc's fast sizes.)
  static constexpr int kStatic = 0;
  std::atomic<int> references_;
  int names_ = 0;  // of a static table
  option records_[kCapacity];

 private:
  LongOptionTable() : references_(1) {}  // the records unset

  // append when the scanner holds no block of its own with room: after
  // makeRoom, apart so that the usual append saves no registers.
  __attribute__((noinline)) static void appendMakingRoom(
      XelGetOpt& scanner, const char* name, XelGetOpt::ParamType kind,
      char value);
  // Readies the scanner's table for one more record: its two refusals, a
  // first block, copy on write. False after a refusal.
  static bool makeRoom(XelGetOpt& scanner);
  // Record long_count and the terminator after it.
  static void write(XelGetOpt& scanner, const char* name,
                    XelGetOpt::ParamType kind, char value);
  // Nobody else reads the block: the scanner may write into it.
  bool heldAlone() const {
    return references_.load(std::memory_order_acquire) == 1;
  }
};

// A job kind's long names as a static table, shared by every parser of
// that kind. The records that begin with one byte are chained in their
// order, so that a lookup compares only names that begin like the text.
// Its names hold no "=", so a text that matches one carries no argument.
class JobTable : public LongOptionTable {
 public:
  constexpr JobTable(const XelOptionsParser::OptionSpec* entries, int count)
      : LongOptionTable(entries, count) {
    for (int i = names_ - 1; i >= 0; --i) {
      for (const char* c = records_[i].name; *c != '\0'; ++c) {
        // Not a constant expression: a name with "=" does not compile.
        (void)(*c == '=' ? throw "a job kind's name holds \"=\"" : 0);
      }
      auto& head = first_[static_cast<unsigned char>(records_[i].name[0])];
      next_[i] = head;
      head = static_cast<unsigned char>(i + 1);
    }
  }

  // The scanner reads this table from now on, as if its names had been
  // added one by one. Nothing writes into a static table (add_long_option
  // copies it first), so it can be constant.
  void lendTo(XelGetOpt& scanner) const;

  // The first record whose name begins with byte, and the next such one;
  // -1 after the last.
  int first(char byte) const {
    return first_[static_cast<unsigned char>(byte)] - 1;
  }
  int next(int index) const { return next_[index] - 1; }

 private:
  unsigned char first_[256]{};  // record index + 1, 0 for none
  unsigned char next_[kCapacity]{};
};

inline const JobTable* LongOptionTable::jobTableOf(const XelGetOpt& scanner,
                                                   const option* table) {
  // Only a JobTable is static.
  const LongOptionTable* held = scanner.table_.block;
  return held != nullptr && held->isStatic() && table == held->records_
             ? static_cast<const JobTable*>(held)
             : nullptr;
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_LONGOPTIONTABLE_H
