// SPDX-License-Identifier: MIT
// General-purpose option libraries as peers of BackupOptionsParser: each
// registers the whole backup vocabulary in its own idiom, parses a request
// and fills the same BackupSettings through the same conversions. A peer is
// built in when its package was found at configure time.
#ifndef XELOPTS_BENCH_LIBRARY_PEERS_H
#define XELOPTS_BENCH_LIBRARY_PEERS_H

#include <string>
#include <vector>

#include "parser_peers.h"

namespace bench {

struct LibraryPeer {
  const char* name;   // the benchmark's side: backup_request/<name>
  std::string label;  // library and version, for the table
  // The library takes a one-letter name for a short option, so the long
  // name "d" is written "-d" for it.
  bool one_letter_names_are_short;
  BackupSettings (*parse)(int argc, char** argv);
};

// The peers this binary was built with, in a fixed order.
std::vector<LibraryPeer> library_peers();

// The words of a request as a peer takes them: none of these libraries
// reads a long name after a single dash, so each long name gets "--".
std::vector<std::string> peer_words(const std::vector<std::string>& words,
                                    const LibraryPeer& peer);

BackupSettings parse_backup_with_cli11(int argc, char** argv);
BackupSettings parse_backup_with_cxxopts(int argc, char** argv);
BackupSettings parse_backup_with_boost(int argc, char** argv);

std::string cli11_label();
std::string cxxopts_label();
std::string boost_label();

}  // namespace bench

#endif  // XELOPTS_BENCH_LIBRARY_PEERS_H
