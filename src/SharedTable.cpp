// SPDX-License-Identifier: MIT
#include "SharedTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "JobTable.h"

namespace xelopts::detail {
namespace {

void refuse(const char* message) { std::fputs(message, stdout); }

}  // namespace

void SharedTable::append(XelGetOpt& s, const char* name,
                         XelGetOpt::ParamType kind, char value) {
  s.error_ = XelGetOpt::no_error;
  // The usual call finds room in a block of the scanner's own.
  const SharedTable* held = s.table_.block;
  if (held != nullptr && s.longopts == held->records_ && held->heldAlone() &&
      s.long_count >= 0 && s.long_count <= kCapacity - 2) {
    write(s, name, kind, value);
    return;
  }
  appendMakingRoom(s, name, kind, value);
}

void SharedTable::appendMakingRoom(XelGetOpt& s, const char* name,
                                   XelGetOpt::ParamType kind, char value) {
  if (makeRoom(s)) {
    write(s, name, kind, value);
  }
}

void SharedTable::write(XelGetOpt& s, const char* name,
                        XelGetOpt::ParamType kind, char value) {
  const int at = s.long_count;
  s.longopts[at] = option{name, kind, nullptr, static_cast<signed char>(value)};
  // The terminator is zero bytes: two stores, not four (17 instructions of
  // the typical scan's 17 appends).
  std::memset(static_cast<void*>(&s.longopts[at + 1]), 0, sizeof(option));
  s.long_count = at + 1;
}

bool SharedTable::makeRoom(XelGetOpt& s) {
  // -1 is what set_long_options leaves; no other negative count is a
  // place to write.
  if (s.long_count < 0) {
    refuse("Getopt: can't use add_long_option() after set_long_options().");
    s.error_ = XelGetOpt::table_installed;
    return false;
  }
  if (s.longopts == nullptr) {
    // Whatever long_count says, a new block holds no option yet.
    adoptCopy(s, nullptr, 0);
  }
  if (s.long_count > kCapacity - 2) {
    refuse("Getopt: too many long options.");
    s.error_ = XelGetOpt::table_full;
    return false;
  }
  const SharedTable* held = s.table_.block;
  const JobTable* job = s.job_table_;
  if ((held != nullptr && s.longopts == held->records_ && !held->heldAlone()) ||
      (job != nullptr && s.longopts == job->records())) {
    // Another scanner reads this table, or it is a job kind's: write a copy.
    adoptCopy(s, s.longopts, s.long_count);
  }
  return true;
}

void SharedTable::adoptCopy(XelGetOpt& s, const option* table, int count) {
  auto* block = new SharedTable;
  if (table != nullptr) {
    std::copy(table, table + count, block->records_);
  }
  block->records_[count] = option{nullptr, XelGetOpt::no_argument, nullptr, 0};
  release(s.table_.block);
  s.table_.block = block;
  s.job_table_ = nullptr;
  s.longopts = block->records_;
}

void SharedTable::share(SharedTable* block) noexcept {
  if (block != nullptr) {
    block->references_.fetch_add(1, std::memory_order_relaxed);
  }
}

void SharedTable::release(SharedTable* block) noexcept {
  // The only holder needs no locked decrement: no other scanner can take a
  // reference to a block that no other scanner holds.
  if (block != nullptr &&
      (block->references_.load(std::memory_order_acquire) == 1 ||
       block->references_.fetch_sub(1, std::memory_order_acq_rel) == 1)) {
    delete block;
  }
}

}  // namespace xelopts::detail

using xelopts::detail::SharedTable;

void XelGetOpt::set_long_options(option* table) {
  longopts = table;
  long_count = -1;
  // Keep our own block only when it is the table being installed.
  if (table_.block != nullptr && table != table_.block->records()) {
    table_ = TableShare();
  }
  job_table_ = nullptr;
}

void XelGetOpt::add_long_option(char* name, ParamType kind, char value) {
  SharedTable::append(*this, name, kind, value);
}
