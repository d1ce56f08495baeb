// The scanner's engine, and what the library's parsers read of a scanner's
// private state. Not installed: nothing here is a promise to callers.
#ifndef XELOPTS_SRC_SCANNERCORE_H
#define XELOPTS_SRC_SCANNERCORE_H

#include <initializer_list>

#include "XelGetOpt.h"

namespace xelopts::detail {

struct ScannerCore {
  using option = XelGetOpt::option;

  // One scanning call: what every public scanning call runs.
  static int next(XelGetOpt& scanner, int count, char* const* vector,
                  const char* options, const option* table, int* index,
                  int long_only);

  // Writes one diagnostic line, made of the pieces (nulls skipped), to the
  // scanner's sink or, without one, to standard error; nothing when opterr
  // is 0.
  static void diagnose(const XelGetOpt& scanner,
                       std::initializer_list<const char*> pieces);

  // Makes `to` a copy of `from`, sharing its table.
  static void assign(XelGetOpt& to, const XelGetOpt& from);
  // Drops the scanner's reference to its table; the last one frees it.
  static void release(XelGetOpt& scanner) noexcept;

  // Notes that the current call consumed the elements [first, end) of the
  // vector as it stands now; resumed: the first was partly read before.
  static void consumed(XelGetOpt& scanner, int first, int end, bool resumed);

  // One past the last element the scan reads: argc, or the index of the
  // first null element before it.
  static int vectorEnd(const XelGetOpt& scanner) { return scanner.end_; }
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SCANNERCORE_H
