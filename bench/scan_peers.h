// SPDX-License-Identifier: MIT
// The two sides of every scanner comparison: XelGetOpt, table building
// included, and the C library's getopt_long_only over an equivalent table,
// both in long-only mode with the same short-option string.
#ifndef XELOPTS_BENCH_SCAN_PEERS_H
#define XELOPTS_BENCH_SCAN_PEERS_H

#include <string>
#include <vector>

struct option;  // the C library's long-option record, from <getopt.h>

namespace bench {

// The backup job's short options plus x, y and z without a value, so that
// the long vectors can hold clusters.
extern const char kClusterShortOptions[];

// The backup job's long options as the C library's table, in the order the
// backup parser registers them.
const struct option* libc_backup_long_options();

// One scan over argv from its start; returns a checksum of the codes,
// arguments and final index so that nothing is optimised away.
long scan_with_xelopts(int argc, char** argv, const char* options);
long scan_with_libc(int argc, char** argv, const char* options);
// scan_with_xelopts with the names handed over as char* (not literals).
long scan_with_xelopts_char_names(int argc, char** argv, const char* options);

// The same scan over a long-option table the caller owns
// (set_long_options), so that any allocation is the scan's own.
long scan_with_caller_table(int argc, char** argv, const char* options);

// Everything a scan yields, to check that both sides do the same work.
struct ScanOutcome {
  std::vector<std::string> codes;  // each code with its argument
  int final_index = 0;
  std::vector<std::string> final_order;
  bool operator==(const ScanOutcome& other) const;
};

ScanOutcome outcome_of_xelopts(int argc, char** argv, const char* options);
ScanOutcome outcome_of_libc(int argc, char** argv, const char* options);

}  // namespace bench

#endif  // XELOPTS_BENCH_SCAN_PEERS_H
