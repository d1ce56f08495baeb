// SPDX-License-Identifier: MIT
// Parsers of every kind built on eight threads at once, over distinct
// vectors, half of them with a parse report, while two more threads scan with
// bare scanners: every record, report and final vector equals what a serial
// run gives. Run under
// ThreadSanitizer in CI, where a data race is a failure of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "BackupOptionsParser.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "XelGetOpt.h"
#include "parser_support.h"

// Blocks from operator new not yet freed (weak: a sanitizer's own one wins).
static std::atomic<long> liveBlocks{0};
__attribute__((weak)) void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return block;
}
__attribute__((weak)) void operator delete(void* block) noexcept {
  liveBlocks.fetch_sub(block != nullptr ? 1 : 0, std::memory_order_relaxed);
  std::free(block);
}
__attribute__((weak)) void operator delete(void* block, std::size_t) noexcept {
  ::operator delete(block);
}

namespace {

constexpr int kParsers = 10000;
constexpr int kParserThreads = 8;
constexpr int kScannerThreads = 2;
constexpr int kScansPerThread = 2000;

// The words after "prog" for vector number seed, drawn from a job kind's
// vocabulary: known options with values, stray words and "--".
std::vector<std::string> jobWords(const XelOptionsParser::Vocabulary& v,
                                  int seed) {
  std::mt19937 engine(static_cast<unsigned>(seed));
  std::vector<std::string> words{"prog"};
  const int count = 2 + static_cast<int>(engine() % 12);
  for (int i = 0; i < count; ++i) {
    const auto& entry = v.options[engine() % static_cast<unsigned>(v.count)];
    if (engine() % 9 == 0) {
      words.push_back("stray" + std::to_string(i));
    }
    words.push_back(entry.name == nullptr ? std::string("-") + entry.code
                                          : (engine() % 2 ? "-" : "--") +
                                                std::string(entry.name));
    if (entry.kind == XelGetOpt::required_argument) {
      words.push_back(engine() % 3 == 0
                          ? std::to_string(seed * 7 + i)
                          : std::to_string(i) + ":" + std::to_string(seed));
    }
  }
  if (engine() % 20 == 0) {
    words.push_back("--");
    words.push_back("-j");
  }
  return words;
}

struct Outcome {
  parser_test::Record record;
  std::string vector_after;
  bool operator==(const Outcome& o) const {
    return record == o.record && vector_after == o.vector_after;
  }
};

// Every other vector is parsed with a report: the diagnostics and remaining
// words it holds join the outcome.
template <typename Parser>
Outcome parseOne(int seed) {
  test_support::Args args(jobWords(Parser::vocabulary(), seed));
  if (seed % 2 == 0) {
    Parser parser(args.argc(), args.argv());
    return {parser_test::readRecord(parser), args.joined()};
  }
  XelOptionsParser::ParseReport report;
  Parser parser(args.argc(), args.argv(), report);
  Outcome outcome{parser_test::readRecord(parser), args.joined() + " |"};
  for (const auto& texts : {report.diagnostics, report.remaining}) {
    for (const std::string& text : texts) {
      outcome.vector_after += " " + text;
    }
  }
  return outcome;
}

// Vector number i is parsed by the parser kind i selects.
Outcome parseNumbered(int i) {
  switch (i % 3) {
    case 0:
      return parseOne<BackupOptionsParser>(i);
    case 1:
      return parseOne<RestoreOptionsParser>(i);
    default:
      return parseOne<ScanOptionsParser>(i);
  }
}

// A bare scan in long-only mode over a vector of its own: the codes and
// arguments joined, then the vector as the scan leaves it.
std::string scanNumbered(int i) {
  test_support::Args args(
      jobWords(BackupOptionsParser::vocabulary(), kParsers + i));
  XelGetOpt scanner(args.argc(), args.argv(), "j:J:a:p:t:o:x");
  // The unknown names are reported now and then: concurrent diagnostics too.
  scanner.opterr = i % 200 == 0 ? 1 : 0;
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.add_long_option("data", XelGetOpt::no_argument, 'F');
  std::string trace;
  for (int code; (code = scanner()) != -1;) {
    trace += std::to_string(code) + "=" +
             (scanner.optarg() != nullptr ? scanner.optarg() : "") + " ";
  }
  return trace + "| " + args.joined();
}

TEST(ConcurrencyTest, ParallelParsersAndScannersMatchASerialRun) {
  test_support::EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
  std::vector<Outcome> serial;
  for (int i = 0; i < kParsers; ++i) {
    serial.push_back(parseNumbered(i));
  }
  std::vector<std::string> serial_scans;
  for (int i = 0; i < kScansPerThread; ++i) {
    serial_scans.push_back(scanNumbered(i));
  }

  std::vector<Outcome> parallel(kParsers);
  std::atomic<int> next{0};
  std::atomic<int> scan_mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kParserThreads; ++t) {
    threads.emplace_back([&] {
      for (int i; (i = next.fetch_add(1)) < kParsers;) {
        parallel[static_cast<std::size_t>(i)] = parseNumbered(i);
      }
    });
  }
  for (int t = 0; t < kScannerThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kScansPerThread; ++i) {
        if (scanNumbered(i) != serial_scans[static_cast<std::size_t>(i)]) {
          scan_mismatches.fetch_add(1);
        }
      }
    });
  }
  for (std::thread& t : threads) {
    t.join();
  }

  int mismatches = 0;
  for (int i = 0; i < kParsers; ++i) {
    if (!(parallel[static_cast<std::size_t>(i)] ==
          serial[static_cast<std::size_t>(i)]) &&
        ++mismatches <= 3) {
      ADD_FAILURE() << "vector " << i << ": "
                    << serial[static_cast<std::size_t>(i)].vector_after;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(scan_mismatches.load(), 0);
}

// The last two copies sharing a table, each reading it and dropping it at
// once on two threads: it is freed once, and after both reads.
TEST(ConcurrencyTest, LastTwoCopiesFreeTheirTableOnce) {
  const long before = liveBlocks.load();
  for (int round = 0; round < 3000; ++round) {
    std::optional<XelGetOpt> first(std::in_place), second;
    first->add_long_option("cn", XelGetOpt::required_argument, 'c');
    second = first;
    std::atomic<int> waiting{2};
    const auto drop = [&waiting](std::optional<XelGetOpt>& scanner) {
      for (--waiting; waiting != 0;) std::this_thread::yield();
      EXPECT_EQ(scanner->longopts[0].val, 'c');
      scanner.reset();
    };
    std::thread other(drop, std::ref(second));
    drop(first);
    other.join();
  }
  EXPECT_EQ(liveBlocks.load(), before);
}

// A ready-made scanner copied on two threads at once, as a program that
// keeps one and gives each worker its own: copying only reads it.
TEST(ConcurrencyTest, OneScannerCopiedOnTwoThreads) {
  XelGetOpt prototype;
  prototype.add_long_option("cn", XelGetOpt::required_argument, 'c');
  for (int round = 0; round < 1000; ++round) {
    std::atomic<int> waiting{2};
    const auto copy = [&] {
      for (--waiting; waiting != 0;) std::this_thread::yield();
      XelGetOpt mine(prototype);
      mine.add_long_option("data", XelGetOpt::no_argument, 'F');
      EXPECT_EQ(mine.long_count, 2);
    };
    std::thread other(copy);
    copy();
    other.join();
  }
  EXPECT_EQ(prototype.long_count, 1);
}

}  // namespace
