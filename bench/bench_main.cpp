// SPDX-License-Identifier: MIT
// xelopts_bench: XelGetOpt against the C library's getopt_long_only on the
// same vectors, and BackupOptionsParser against a hand-written parser and
// against the option libraries found at configure time, side by side. Sides
// are named <case>/xelopts and <case>/<peer>; bench/bench_ratios.py turns a
// JSON run into the ratio tables.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BackupOptionsParser.h"
#include "allocation_counter.h"
#include "job_lines.h"
#include "library_peers.h"
#include "parser_peers.h"
#include "scan_peers.h"
#include "word_vectors.h"

namespace {

using bench::WordVector;
using ScanFunction = long (*)(int, char**, const char*);
using WordMaker = std::vector<std::string> (*)(int);
using ParserFunction = long (*)(int, char**);
using RequestFunction = bench::BackupSettings (*)(int, char**);

const std::vector<int> kSizes = {100, 1000, 10000};
const std::vector<int> kUnsized = {0};
// Different job lines that the --lines cases take in turn.
constexpr int kJobLines = 1000;

std::vector<std::string> typical_words(int) {
  return bench::typical_backup_words();
}

// One piece of work per iteration, each over a freshly restored copy of the
// vector (the copy is part of both sides' time).
template <class Work>
void run_timed(benchmark::State& state, WordVector& words, Work work) {
  const long allocations_before = bench::allocation_count();
  for (auto _ : state) {
    char** argv = words.fresh();
    benchmark::DoNotOptimize(work(words.argc(), argv));
    benchmark::ClobberMemory();
  }
  const long allocations = bench::allocation_count() - allocations_before;
  state.counters["allocs_per_scan"] = benchmark::Counter(
      static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * (words.argc() - 1));
}

void scan_benchmark(benchmark::State& state, ScanFunction scan,
                    WordMaker make_words, const char* options, int size) {
  WordVector words(make_words(size));
  run_timed(state, words, [scan, options](int argc, char** argv) {
    return scan(argc, argv, options);
  });
}

void parser_benchmark(benchmark::State& state, ParserFunction construct) {
  WordVector words(bench::typical_backup_words());
  run_timed(state, words, construct);
}

// One request parsed into a BackupSettings per iteration, reading and all.
void request_benchmark(benchmark::State& state, RequestFunction parse,
                       const std::vector<std::string>& request) {
  WordVector words(request);
  run_timed(state, words, [parse](int argc, char** argv) {
    return bench::digest(parse(argc, argv));
  });
}

// The typical request's record.
bench::BackupSettings typical_record() {
  WordVector words(bench::typical_backup_words());
  return bench::parse_backup_with_xelopts(words.argc(), words.fresh());
}

// The record written back as a command line per iteration. The vector is
// restored as for a parse, so that both sides pay for that alike.
void write_benchmark(benchmark::State& state,
                     const bench::BackupSettings& settings) {
  WordVector words(bench::typical_backup_words());
  run_timed(state, words, [&settings](int, char**) {
    return bench::write_backup_line(settings);
  });
}

// The allocations per iteration, and one item per iteration.
void count_per_iteration(benchmark::State& state, long allocations_before) {
  const long allocations = bench::allocation_count() - allocations_before;
  state.counters["allocs_per_scan"] = benchmark::Counter(
      static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations());
}

// One job line per iteration through xeljob's --lines work: split, parse
// with a report, record, JSON line, summary.
void lines_benchmark(benchmark::State& state, const std::string& kind) {
  const std::vector<std::string> lines =
      bench::typical_job_lines(kind, kJobLines);
  bench::LinesRun run(kind);
  std::size_t next = 0;
  const long allocations_before = bench::allocation_count();
  for (auto _ : state) {
    benchmark::DoNotOptimize(run.take(lines[next]).size());
    next = next + 1 == lines.size() ? 0 : next + 1;
  }
  count_per_iteration(state, allocations_before);
}

// One parse with a report of the same lines' words per iteration, each
// over a freshly restored copy of its vector.
void lines_parse_benchmark(benchmark::State& state, const std::string& kind) {
  const auto vectors =
      bench::job_line_vectors(kind, bench::typical_job_lines(kind, kJobLines));
  const bench::ParseFunction parse = bench::parse_with_report(kind);
  std::size_t next = 0;
  const long allocations_before = bench::allocation_count();
  for (auto _ : state) {
    WordVector& words = *vectors[next];
    benchmark::DoNotOptimize(parse(words.argc(), words.fresh()));
    next = next + 1 == vectors.size() ? 0 : next + 1;
  }
  count_per_iteration(state, allocations_before);
}

struct ScanCase {
  const char* name;
  WordMaker make_words;
  const char* options;
  bool sized;
};

const ScanCase kScanCases[] = {
    {"typical", typical_words, BackupOptionsParser::vocabulary().shortOptions,
     false},
    {"long", bench::long_option_words, bench::kClusterShortOptions, true},
    {"permute", bench::permutation_heavy_words, bench::kClusterShortOptions,
     true},
};

// Both sides must return the same codes and arguments and leave the same
// vector and index, or the comparison would be of different work.
bool peers_agree(const ScanCase& scan_case, int size) {
  WordVector words(scan_case.make_words(size));
  const bench::ScanOutcome ours =
      bench::outcome_of_xelopts(words.argc(), words.fresh(), scan_case.options);
  const bench::ScanOutcome theirs =
      bench::outcome_of_libc(words.argc(), words.fresh(), scan_case.options);
  if (ours == theirs) {
    return true;
  }
  std::fprintf(stderr, "%s/%d: xelopts and libc disagree (%zu and %zu codes)\n",
               scan_case.name, size, ours.codes.size(), theirs.codes.size());
  return false;
}

// Names: <case>/<side>, with /<words> for the sized cases; the two sides of
// a comparison are registered next to each other.
void register_scan_benchmarks() {
  const std::pair<const char*, ScanFunction> sides[] = {
      {"xelopts", bench::scan_with_xelopts}, {"libc", bench::scan_with_libc}};
  for (const ScanCase& scan_case : kScanCases) {
    for (int size : scan_case.sized ? kSizes : kUnsized) {
      for (const auto& [side, scan] : sides) {
        std::string name = std::string(scan_case.name) + "/" + side;
        if (scan_case.sized) {
          name += "/" + std::to_string(size);
        }
        benchmark::RegisterBenchmark(name.c_str(), scan_benchmark, scan,
                                     scan_case.make_words, scan_case.options,
                                     size);
      }
    }
  }
  // The typical line once more, its names handed over as char*.
  benchmark::RegisterBenchmark("typical/xelopts_char", scan_benchmark,
                               bench::scan_with_xelopts_char_names,
                               typical_words, kScanCases[0].options, 0);
}

// The typical backup line through BackupOptionsParser and through the
// hand-written getopt_long_only parser.
void register_parser_benchmarks() {
  benchmark::RegisterBenchmark("backup_parser/xelopts", parser_benchmark,
                               bench::construct_backup_parser);
  benchmark::RegisterBenchmark("backup_parser/xelopts_report", parser_benchmark,
                               bench::construct_backup_parser_with_report);
  benchmark::RegisterBenchmark("backup_parser/handwritten", parser_benchmark,
                               bench::construct_backup_by_hand);
}

// The typical request through BackupOptionsParser (alone, and with a scan
// report) and through each option library, every side filling a
// BackupSettings; and that record written back as the request's command
// line, against backup_request/xelopts.
void register_library_peer_benchmarks() {
  const std::vector<std::string> request = bench::typical_backup_words();
  benchmark::RegisterBenchmark("backup_request/xelopts", request_benchmark,
                               bench::parse_backup_with_xelopts, request);
  benchmark::RegisterBenchmark("backup_write/xelopts", write_benchmark,
                               typical_record());
  benchmark::RegisterBenchmark("backup_request/xelopts_report",
                               request_benchmark,
                               bench::parse_backup_with_report, request);
  for (const bench::LibraryPeer& peer : bench::library_peers()) {
    const std::string name = std::string("backup_request/") + peer.name;
    benchmark::RegisterBenchmark(name.c_str(), request_benchmark, peer.parse,
                                 bench::peer_words(request, peer));
    benchmark::AddCustomContext(name, peer.label);
  }
}

// xeljob --lines, one line at a time, against one parse of the line with a
// report: lines/<side>/<kind>.
void register_lines_benchmarks() {
  for (const char* kind : bench::kJobKinds) {
    const std::string suffix = std::string("/") + kind;
    benchmark::RegisterBenchmark(("lines/xelopts" + suffix).c_str(),
                                 lines_benchmark, kind);
    benchmark::RegisterBenchmark(("lines/parse_report" + suffix).c_str(),
                                 lines_parse_benchmark, kind);
  }
}

// Every typical line splits into words: both sides parse the same words.
bool job_lines_split() {
  for (const char* kind : bench::kJobKinds) {
    bench::LinesRun run(kind);
    for (const std::string& line : bench::typical_job_lines(kind, kJobLines)) {
      if (run.take(line).find("\"job\"") == std::string::npos) {
        std::fprintf(stderr, "lines/%s: not split: %s\n", kind, line.c_str());
        return false;
      }
    }
  }
  return true;
}

// The lines every parser comparison checks before timing.
std::vector<std::vector<std::string>> checked_requests() {
  return {bench::typical_backup_words(), bench::every_backup_option_words()};
}

std::string joined(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    line += line.empty() ? "" : " ";
    line += word;
  }
  return line;
}

bool records_agree(const char* side, const std::vector<std::string>& request,
                   const bench::BackupSettings& ours,
                   const bench::BackupSettings& theirs) {
  if (ours == theirs) {
    return true;
  }
  std::fprintf(stderr,
               "%s: not the record BackupOptionsParser fills\n"
               "  words:   %s\n  xelopts: %s\n  peer:    %s\n",
               side, joined(request).c_str(), ours.description().c_str(),
               theirs.description().c_str());
  return false;
}

// The written line of the typical record reads back into that record.
bool written_line_agrees() {
  const bench::BackupSettings record = typical_record();
  std::vector<std::string> line = {"backup"};
  const XelOptionsParser::CommandLine written =
      BackupOptionsParser::commandLine(record);
  line.insert(line.end(), written.words.begin(), written.words.end());
  WordVector words(line);
  return records_agree(
      "backup_write/xelopts", line, record,
      bench::parse_backup_with_xelopts(words.argc(), words.fresh()));
}

bool parsers_agree() {
  bool agree = written_line_agrees();
  for (const auto& request : checked_requests()) {
    WordVector words(request);
    const bench::BackupSettings ours =
        bench::parse_backup_with_xelopts(words.argc(), words.fresh());
    agree = records_agree(
                "backup_parser/xelopts_report", request, ours,
                bench::parse_backup_with_report(words.argc(), words.fresh())) &&
            agree;
    const bench::BackupSettings theirs =
        bench::parse_backup_by_hand(words.argc(), words.fresh());
    agree = records_agree("backup_parser/handwritten", request, ours, theirs) &&
            agree;
  }
  return agree;
}

// Every library must fill, from its own spelling of the words, the record
// BackupOptionsParser fills; a library that throws fails the check too.
bool library_peers_agree() {
  bool agree = true;
  for (const auto& request : checked_requests()) {
    WordVector words(request);
    const bench::BackupSettings ours =
        bench::parse_backup_with_xelopts(words.argc(), words.fresh());
    for (const bench::LibraryPeer& peer : bench::library_peers()) {
      const std::string side = std::string("backup_request/") + peer.name;
      const std::vector<std::string> spelled = bench::peer_words(request, peer);
      WordVector peer_vector(spelled);
      try {
        agree = records_agree(
                    side.c_str(), spelled, ours,
                    peer.parse(peer_vector.argc(), peer_vector.fresh())) &&
                agree;
      } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: the parse failed: %s\n  words: %s\n",
                     side.c_str(), error.what(), joined(spelled).c_str());
        agree = false;
      }
    }
  }
  return agree;
}

bool all_peers_agree() {
  WordVector typical(typical_words(0));
  bool agree = bench::scan_with_xelopts(typical.argc(), typical.fresh(),
                                        kScanCases[0].options) ==
               bench::scan_with_xelopts_char_names(
                   typical.argc(), typical.fresh(), kScanCases[0].options);
  if (!agree) {
    std::fprintf(stderr, "typical: char* names scan differently\n");
  }
  for (const ScanCase& scan_case : kScanCases) {
    for (int size : scan_case.sized ? kSizes : kUnsized) {
      agree = peers_agree(scan_case, size) && agree;
    }
  }
  agree = parsers_agree() && agree;
  agree = job_lines_split() && agree;
  return library_peers_agree() && agree;
}
}  // namespace

// Permuting 10,000 words moves the stray ones 5,000 times; with a table the
// caller owns, the scan must not allocate at all.
bool permutation_allocates_nothing() {
  WordVector words(bench::permutation_heavy_words(10000));
  // The first scan builds the caller's table, once for the program.
  bench::scan_with_caller_table(words.argc(), words.fresh(),
                                bench::kClusterShortOptions);
  char** argv = words.fresh();
  const long before = bench::allocation_count();
  benchmark::DoNotOptimize(bench::scan_with_caller_table(
      words.argc(), argv, bench::kClusterShortOptions));
  const long allocations = bench::allocation_count() - before;
  if (allocations == 0) {
    return true;
  }
  std::fprintf(stderr, "a permuting scan allocated %ld blocks\n", allocations);
  return false;
}

int main(int argc, char** argv) {
  // Both sides permute; the variable would make both stop at the first
  // stray word instead.
  unsetenv("POSIXLY_CORRECT");
  if (!bench::allocation_counter_works()) {
    std::fprintf(stderr, "the allocation counter does not see malloc/new\n");
    return 1;
  }
  if (!all_peers_agree() || !permutation_allocates_nothing()) {
    return 1;
  }
  register_scan_benchmarks();
  register_parser_benchmarks();
  register_library_peer_benchmarks();
  register_lines_benchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
