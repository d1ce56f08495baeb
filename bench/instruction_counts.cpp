// SPDX-License-Identifier: MIT
// xelopts_instructions CASE SIDE COUNT: one case's work, COUNT times after
// one round to warm up, for bench/instructions.sh to count under callgrind.
// A run of COUNT minus a run of 0 is the work alone: loading, the checks
// and the warm-up cancel. Every run first checks that both sides of every
// case do the same work, and fails otherwise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BackupOptionsParser.h"
#include "parser_peers.h"
#include "scan_peers.h"
#include "word_vectors.h"

namespace {

using bench::WordVector;
using Work = long (*)(int, char**);
using Words = std::vector<std::string> (*)();

const char* backup_options() {
  return BackupOptionsParser::vocabulary().shortOptions;
}

long typical_xelopts(int argc, char** argv) {
  return bench::scan_with_xelopts(argc, argv, backup_options());
}
long scan_alone(int argc, char** argv) {
  return bench::scan_with_caller_table(argc, argv, backup_options());
}
long typical_libc(int argc, char** argv) {
  return bench::scan_with_libc(argc, argv, backup_options());
}

// The typical request's record written back as its command line.
long write_backup(int argc, char** argv) {
  static const BackupOptionsParser::Settings record =
      BackupOptionsParser(argc, argv).settings();
  return static_cast<long>(
      BackupOptionsParser::commandLine(record).words.size());
}

struct Case {
  const char* name;
  Words words;
  Work xelopts;
  const char* peer_name;
  Work peer;
};

const Case kCases[] = {
    {"typical", bench::typical_backup_words, typical_xelopts,
     "getopt_long_only", typical_libc},
    {"scan_alone", bench::typical_backup_words, scan_alone, "getopt_long_only",
     typical_libc},
    {"backup", bench::typical_backup_words, bench::construct_backup_parser,
     "handwritten", bench::construct_backup_by_hand},
    {"restore", bench::typical_restore_words, bench::construct_restore_parser,
     "handwritten", bench::construct_restore_by_hand},
    {"scan", bench::typical_scan_words, bench::construct_scan_parser,
     "handwritten", bench::construct_scan_by_hand},
    {"write", bench::typical_backup_words, write_backup, "backup_parse",
     bench::construct_backup_parser},
};

template <class Parse>
bool same(const char* name, const std::vector<std::string>& words, Parse ours,
          Parse theirs) {
  WordVector vector(words);
  if (ours(vector.argc(), vector.fresh()) ==
      theirs(vector.argc(), vector.fresh())) {
    return true;
  }
  std::fprintf(stderr, "%s: the peers fill different records\n", name);
  return false;
}

bool peers_agree() {
  WordVector typical(bench::typical_backup_words());
  const bench::ScanOutcome ours = bench::outcome_of_xelopts(
      typical.argc(), typical.fresh(), backup_options());
  bool agree = ours == bench::outcome_of_libc(typical.argc(), typical.fresh(),
                                              backup_options());
  if (!agree) {
    std::fprintf(stderr, "typical: the scanners disagree\n");
  }
  agree = same("backup", bench::typical_backup_words(),
               bench::parse_backup_with_xelopts, bench::parse_backup_by_hand) &&
          agree;
  agree =
      same("restore", bench::typical_restore_words(),
           bench::parse_restore_with_xelopts, bench::parse_restore_by_hand) &&
      agree;
  return same("scan", bench::typical_scan_words(),
              bench::parse_scan_with_xelopts, bench::parse_scan_by_hand) &&
         agree;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--cases") == 0) {
    for (const Case& c : kCases) {
      std::printf("%s %s %d\n", c.name, c.peer_name,
                  static_cast<int>(c.words().size()) - 1);
    }
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s CASE xelopts|peer COUNT | --cases\n",
                 argv[0]);
    return 2;
  }
  if (!peers_agree()) {
    return 1;
  }
  for (const Case& c : kCases) {
    if (std::strcmp(c.name, argv[1]) != 0) {
      continue;
    }
    const Work work = std::strcmp(argv[2], "peer") == 0 ? c.peer : c.xelopts;
    WordVector words(c.words());
    long sum = work(words.argc(), words.fresh());
    for (long i = std::atol(argv[3]); i > 0; --i) {
      sum += work(words.argc(), words.fresh());
    }
    return sum == 0 ? 1 : 0;
  }
  std::fprintf(stderr, "no case %s\n", argv[1]);
  return 2;
}
