// SPDX-License-Identifier: MIT
// The long-option table that add_long_option builds, which copies of a
// scanner share.
#ifndef XELOPTS_SRC_SHAREDTABLE_H
#define XELOPTS_SRC_SHAREDTABLE_H

#include <atomic>

#include "Inlining.h"
#include "xelopts/XelGetOpt.h"

namespace xelopts::detail {

// Room for 31 options and the terminator. The block counts the scanners
// that hold it: the last one frees it, and a holder copies it before
// writing while another still reads it. (With its count the block is 1,032
// bytes, the largest size malloc serves from its per-thread cache.)
class SharedTable {
 public:
  using option = XelGetOpt::option;
  static constexpr int kCapacity = XelGetOpt::kTableCapacity;

  // add_long_option: the record and its terminator.
  static void append(XelGetOpt& scanner, const char* name,
                     XelGetOpt::ParamType kind, char value);

  // A new holder of the block (may be null), and one holder fewer.
  static void share(SharedTable* block) noexcept;
  static void release(SharedTable* block) noexcept;

  const option* records() const { return records_; }

 private:
  SharedTable() = default;  // the records unset

  // append when the scanner holds no block of its own with room. Kept out
  // of line: the usual append then saves no registers (13 instructions an
  // append, 220 of the typical scan that adds 17 names).
  XELOPTS_NOINLINE static void appendMakingRoom(XelGetOpt& scanner,
                                                const char* name,
                                                XelGetOpt::ParamType kind,
                                                char value);
  // Readies the scanner's table for one more record: its two refusals, a
  // first block, copy on write. False after a refusal.
  static bool makeRoom(XelGetOpt& scanner);
  // A block of the scanner's own holding the first count records of table.
  static void adoptCopy(XelGetOpt& scanner, const option* table, int count);
  // Record long_count and the terminator after it.
  static void write(XelGetOpt& scanner, const char* name,
                    XelGetOpt::ParamType kind, char value);
  // Nobody else reads the block: the scanner may write into it.
  bool heldAlone() const {
    return references_.load(std::memory_order_acquire) == 1;
  }

  option records_[kCapacity];  // first: the block's address is the table's
  std::atomic<int> references_{1};
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SHAREDTABLE_H
