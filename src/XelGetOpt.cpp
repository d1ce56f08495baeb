// SPDX-License-Identifier: MIT
// The scanner object: copies, inputs, the diagnostic sink and what the
// latest call consumed. The scanning calls are in ScannerEngine.cpp, the
// long-option tables' in SharedTable.cpp and JobTable.h.
#include "xelopts/XelGetOpt.h"

#include "SharedTable.h"

using xelopts::detail::SharedTable;

XelGetOpt::TableShare::TableShare(const TableShare& other) noexcept
    : block(other.block) {
  SharedTable::share(block);
}

XelGetOpt::TableShare& XelGetOpt::TableShare::operator=(
    const TableShare& other) noexcept {
  if (this != &other) {
    SharedTable::share(other.block);
    SharedTable::release(block);
    block = other.block;
  }
  return *this;
}

XelGetOpt::TableShare::~TableShare() { SharedTable::release(block); }

XelGetOpt::XelGetOpt(const XelGetOpt& other) noexcept = default;
XelGetOpt& XelGetOpt::operator=(const XelGetOpt& other) noexcept = default;
XelGetOpt::~XelGetOpt() = default;

void XelGetOpt::set_args(int count, char** vector) {
  argc = count;
  argv = vector;
  null_at_ = kNoNull;  // a null in the old vector says nothing of this one
}

void XelGetOpt::set_char_options(char* options) { optstring = options; }

void XelGetOpt::set_diagnostic_sink(diagnostic_sink sink, void* context) {
  sink_ = sink;
  sink_context_ = context;
}

XelGetOpt::consumed_words XelGetOpt::consumed() const {
  // Skipped non-options that wait before the first word will move behind
  // it; words a caller took (++optind) stay among the options.
  const int waiting =
      step_first_ >= last_nonopt ? last_nonopt - first_nonopt : 0;
  return {step_first_, step_count_, step_first_ - waiting};
}
