// SPDX-License-Identifier: MIT
#include "LongOptionTable.h"

#include <algorithm>
#include <cstdio>

namespace xelopts::detail {
namespace {

void refuse(const char* message) { std::fputs(message, stdout); }

}  // namespace

void JobTable::lendTo(XelGetOpt& scanner) const {
  adopt(scanner, const_cast<JobTable*>(this));
  scanner.long_count = names_;
}

void LongOptionTable::append(XelGetOpt& s, const char* name,
                             XelGetOpt::ParamType kind, char value) {
  // The usual call finds room in a block of the scanner's own.
  const LongOptionTable* held = s.table_.block;
  if (held != nullptr && s.longopts == held->records_ && held->heldAlone() &&
      s.long_count >= 0 && s.long_count <= kCapacity - 2) {
    write(s, name, kind, value);
    return;
  }
  appendMakingRoom(s, name, kind, value);
}

void LongOptionTable::appendMakingRoom(XelGetOpt& s, const char* name,
                                       XelGetOpt::ParamType kind, char value) {
  if (makeRoom(s)) {
    write(s, name, kind, value);
  }
}

void LongOptionTable::write(XelGetOpt& s, const char* name,
                            XelGetOpt::ParamType kind, char value) {
  const int at = s.long_count;
  s.longopts[at] = option{name, kind, nullptr, static_cast<signed char>(value)};
  s.longopts[at + 1] = option{nullptr, XelGetOpt::no_argument, nullptr, 0};
  s.long_count = at + 1;
}

bool LongOptionTable::makeRoom(XelGetOpt& s) {
  // -1 is what set_long_options leaves; no other negative count is a
  // place to write.
  if (s.long_count < 0) {
    refuse("Getopt: can't use add_long_option() after set_long_options().");
    return false;
  }
  if (s.longopts == nullptr) {
    auto* block = new LongOptionTable;
    // Whatever long_count says, a new block holds no option yet.
    block->records_[0] = option{nullptr, XelGetOpt::no_argument, nullptr, 0};
    adopt(s, block);
  }
  if (s.long_count > kCapacity - 2) {
    refuse("Getopt: too many long options.");
    return false;
  }
  const LongOptionTable* held = s.table_.block;
  if (held != nullptr && s.longopts == held->records_ && !held->heldAlone()) {
    // Another scanner reads this block, or it is a job kind's: write a copy.
    auto* block = new LongOptionTable;
    std::copy(held->records_, held->records_ + s.long_count + 1,
              block->records_);
    adopt(s, block);
  }
  return true;
}

void LongOptionTable::adopt(XelGetOpt& s, LongOptionTable* block) {
  release(s.table_.block);
  s.table_.block = block;
  s.longopts = block->records_;
}

void LongOptionTable::share(LongOptionTable* block) noexcept {
  if (block != nullptr && !block->isStatic()) {
    block->references_.fetch_add(1, std::memory_order_relaxed);
  }
}

void LongOptionTable::release(LongOptionTable* block) noexcept {
  if (block == nullptr || block->isStatic()) {
    return;
  }
  // The only holder needs no locked decrement: no other scanner can take a
  // reference to a block that no other scanner holds.
  if (block->references_.load(std::memory_order_acquire) == 1 ||
      block->references_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    delete block;
  }
}

}  // namespace xelopts::detail

using xelopts::detail::LongOptionTable;

void XelGetOpt::set_long_options(option* table) {
  longopts = table;
  long_count = -1;
  // Keep our own block only when it is the table being installed.
  if (table_.block != nullptr && table != table_.block->records()) {
    table_ = TableShare();
  }
}

void XelGetOpt::add_long_option(char* name, ParamType kind, char value) {
  LongOptionTable::append(*this, name, kind, value);
}
