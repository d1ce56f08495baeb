// SPDX-License-Identifier: MIT
// The two sides of the parser comparison: BackupOptionsParser, and what a
// job process would write by hand without it: getopt_long_only and a switch
// into a plain struct, with the same conversions.
#ifndef XELOPTS_BENCH_PARSER_PEERS_H
#define XELOPTS_BENCH_PARSER_PEERS_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BackupOptionsParser.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"

namespace bench {

// The record every side fills: the library's own value of it.
using BackupSettings = BackupOptionsParser::Settings;
using RestoreSettings = RestoreOptionsParser::Settings;
using ScanSettings = ScanOptionsParser::Settings;

inline std::uint64_t backup_number(const char* text) {
  return std::strtoul(text, nullptr, 10);
}

// One option's effect on the record: `code` is the option's code in the
// backup vocabulary, `text` its value ("" for an option without one). Every
// peer converts through this, so that only the parsing differs. Each file
// has its own copy, which a parser calling it from one place keeps inline,
// as it would its own switch.
static inline void apply_backup_option(BackupSettings& s, int code,
                                       const char* text) {
  switch (code) {
    case 'j':
    case 'J':
      if (*text != '\0') {
        s.jobId = std::atoi(text);
      }
      break;
    case 'a':
      if (const char* colon = std::strchr(text, ':');
          colon != nullptr && colon[1] != '\0') {
        s.applicationNumber = backup_number(colon + 1);
        s.quorvelId = backup_number(text);
      }
      break;
    case 'p':
      s.restoreTaskId = backup_number(text);
      break;
    case 't':
      s.backupType = backup_number(text);
      break;
    case 'o':
    case 'r':
      if (*text != '\0') {
        s.fullRestartString += "-o ";
        s.fullRestartString += text;
      }
      break;
    case 'c':
      s.clientMachine = text;
      break;
    case 'v':
    case 'V':
      if (*text != '\0') {
        s.virtualMachine = text;
      }
      break;
    case 's':
      s.jobToken = text;
      break;
    case 'F':
      s.dOption = true;
      break;
    case 'l':
      s.lOption = true;
      break;
    case 'i':
      s.iOption = true;
      break;
    case 'h':
      s.backupPhase = text;
      break;
    case 'd':
      s.mediaAgent = text;
      break;
    case 'S':
      s.skipConversion = true;
      s.integrityCheck = true;
      break;
    case 'B':
      s.integrityCheck = true;
      break;
    case 'R':
      s.rbsJob = true;
      break;
    case 'N':
      s.numStreamsForRBS = backup_number(text);
      break;
    case 'A':
      s.alwaysONJob = true;
      break;
    case 'U':
      s.dctmJob = true;
      s.rbsJob = true;
      break;
    case 'T':
      s.tlToSnapJob = true;
      break;
    default:
      break;
  }
}

// A value that depends on the record, so that nothing is optimised away.
long digest(const BackupSettings& settings);

// The hand-written parser.
BackupSettings parse_backup_by_hand(int argc, char** argv);

// What BackupOptionsParser reads from the same line, its settings(); the
// second also fills a parse report.
BackupSettings parse_backup_with_xelopts(int argc, char** argv);
BackupSettings parse_backup_with_report(int argc, char** argv);

// One construction per call; returns a value that depends on the record so
// that nothing is optimised away.
long construct_backup_parser(int argc, char** argv);
long construct_backup_parser_with_report(int argc, char** argv);
long construct_backup_by_hand(int argc, char** argv);

// The same for the restore and scan jobs: each parser, and a hand-written
// one on getopt_long_only with the kind's vocabulary and conversions.
RestoreSettings parse_restore_by_hand(int argc, char** argv);
RestoreSettings parse_restore_with_xelopts(int argc, char** argv);
long construct_restore_parser(int argc, char** argv);
long construct_restore_by_hand(int argc, char** argv);
ScanSettings parse_scan_by_hand(int argc, char** argv);
ScanSettings parse_scan_with_xelopts(int argc, char** argv);
long construct_scan_parser(int argc, char** argv);
long construct_scan_by_hand(int argc, char** argv);

// The record written back as BackupOptionsParser's command line; returns
// the number of words.
long write_backup_line(const BackupSettings& settings);

}  // namespace bench

#endif  // XELOPTS_BENCH_PARSER_PEERS_H
