// SPDX-License-Identifier: MIT
// The scanner's diagnostics as data, and their one way out: the scanner's
// sink, or standard error.
#ifndef XELOPTS_SRC_DIAGNOSTICS_H
#define XELOPTS_SRC_DIAGNOSTICS_H

#include "xelopts/XelGetOpt.h"

namespace xelopts::detail {

struct Diagnostic {
  XelGetOpt::error_kind kind = XelGetOpt::no_error;
  const char* element = nullptr;  // the option element as typed
  const char* text = nullptr;     // the unrecognised text, or the record's name
  char letter = '\0';             // of a short option: its letter
};

// Writes the line (program name first) to the sink, or without one to
// standard error in one write. Throws only what the sink throws.
void emit(Diagnostic diagnostic, const char* program,
          XelGetOpt::diagnostic_sink sink, void* context);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_DIAGNOSTICS_H
