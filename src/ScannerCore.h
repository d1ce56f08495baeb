// The scanner's engine, and what the library's parsers read of a scanner's
// private state. Not installed: nothing here is a promise to callers.
#ifndef XELOPTS_SRC_SCANNERCORE_H
#define XELOPTS_SRC_SCANNERCORE_H

#include <atomic>
#include <cstdio>
#include <initializer_list>

#include "XelGetOpt.h"

// Copies of a scanner share the block; the count lets the last one release
// it, and lets add_long_option copy it before writing while another scanner
// still reads it.
struct XelGetOpt::TableBlock {
  std::atomic<int> references{1};
  option records[kTableCapacity];  // only up to the terminator is written
};

namespace xelopts::detail {

struct ScannerCore {
  using option = XelGetOpt::option;

  // One scanning call: what every public scanning call runs.
  static int next(XelGetOpt& scanner, int count, char* const* vector,
                  const char* options, const option* table, int* index,
                  int long_only);

  // Writes one diagnostic line, made of the pieces (nulls skipped), to the
  // scanner's sink or, without one, to standard error in one write; nothing
  // when opterr is 0. Allocates only for a very long line and, should that
  // fail, writes it to standard error piece by piece; throws only what the
  // sink throws. Callers complete the call's state first.
  static void diagnose(const XelGetOpt& scanner,
                       std::initializer_list<const char*> pieces);

  // add_long_option: the refusals, a first block, copy on write and the
  // append itself.
  static void add_long_option(XelGetOpt& s, const char* name,
                              XelGetOpt::ParamType kind, char value);

  // In place, what copy-assigning a scanner newly constructed over the
  // vector and options, and then adding the entries that have a name, would
  // make of the scanner: one allocation and one pass, for the parsers.
  template <class Entry>
  static void restart(XelGetOpt& scanner, int argc, char** argv,
                      const char* options, const Entry* entries, int count) {
    XelGetOpt::TableBlock* block = nullptr;
    int names = 0;
    for (int i = 0; i < count; ++i) {
      if (entries[i].name == nullptr) {
        continue;
      }
      if (block == nullptr) {
        block = new XelGetOpt::TableBlock;
      }
      if (names > XelGetOpt::kTableCapacity - 2) {
        std::printf("Getopt: too many long options.");
        continue;
      }
      block->records[names++] =
          option{entries[i].name, entries[i].kind, nullptr,
                 static_cast<signed char>(entries[i].code)};
    }
    assign(scanner, XelGetOpt(argc, argv, options));
    if (block != nullptr) {
      block->records[names] =
          option{nullptr, XelGetOpt::no_argument, nullptr, 0};
      scanner.table_ = block;
      scanner.longopts = block->records;
      scanner.long_count = names;
      setOwnRecords(scanner, block->records);
    }
  }

  // Makes `to`, another scanner, a copy of `from`, sharing its table.
  static void assign(XelGetOpt& to, const XelGetOpt& from) noexcept;
  // Drops the scanner's reference to its table; the last one frees it.
  static void release(XelGetOpt& scanner) noexcept;

  // Whether the vector ends at element index: at count, or at a null
  // element before it, which from then on is the end (count shrinks to it,
  // and the scanner keeps it).
  static bool ends_at(XelGetOpt& scanner, char* const* vector, int& count,
                      int index);

  // Notes that the current call consumed the elements [first, end) of the
  // vector as it stands now; resumed: the first was partly read before.
  static void note_consumed(XelGetOpt& scanner, int first, int end,
                            bool resumed);

  // One past the last element of the scanner's vector: argc, or the index
  // of the first null element before it; exact once the scan has returned
  // -1. An empty vector (argc 0, or argv[0] null) ends at 0.
  static int vectorEnd(const XelGetOpt& scanner) {
    if (scanner.argc <= 0 || scanner.argv == nullptr ||
        scanner.argv[0] == nullptr) {
      return 0;
    }
    return scanner.argc < scanner.null_at_ ? scanner.argc : scanner.null_at_;
  }

  // The records of the scanner's own table while no copy shares it, else
  // null; atomic, since copies of one scanner may be made at once.
  static void setOwnRecords(const XelGetOpt& scanner,
                            XelGetOpt::option* records) {
    __atomic_store_n(&scanner.own_records_, records, __ATOMIC_RELAXED);
  }
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SCANNERCORE_H
