// SPDX-License-Identifier: MIT
// Allocation failure while a scanner builds, copies and extends its table,
// and while it scans: std::bad_alloc arrives, nothing leaks, and since no
// allocation happens once the scan has begun, the caller's vector is still
// as given whenever a failure arrives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "AllocationFault.h"
#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

const char* const kNames[] = {
    "cn",   "vm",  "jt",  "data", "logs", "phase", "restart", "d",   "rbs",
    "dctm", "n10", "n11", "n12",  "n13",  "n14",   "n15",     "n16", "n17",
    "n18",  "n19", "n20", "n21",  "n22",  "n23",   "n24",     "n25", "n26",
    "n27",  "n28", "n29", "n30",  "n31",  "n32"};

std::vector<std::string> permutingWords() {
  return {"prog",   "stray1", "-j",   "5",      "stray2", "-cn", "host",
          "stray3", "-data",  "-n30", "stray4", "--",     "-x"};
}

std::string joinedProblems(const fault::SweepResult& result) {
  std::string text;
  for (const std::string& problem : result.problems) {
    text += problem + "\n";
  }
  return text;
}

// Sweeps a failure over every allocation of `build` followed by a whole
// scan, and checks the vector each time a failure arrived.
void expectCleanFailures(
    const std::function<void(XelGetOpt&, test_support::Args&)>& build,
    std::size_t minimum_allocations) {
  test_support::EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
  std::optional<test_support::Args> args;
  std::vector<char*> given;
  int moved_before_failure = 0;
  fault::SweepResult result;
  // The refusals of the 32nd and 33rd names are noise here.
  test_support::capture([&] {
    result = fault::sweepAllocationFailures(
        [&] {
          args.emplace(permutingWords());
          given.assign(args->argv(), args->argv() + args->argc());
        },
        [&] {
          try {
            XelGetOpt scanner(args->argc(), args->argv(), "j:x");
            scanner.opterr = 0;
            build(scanner, *args);
            while (scanner() != -1) {
            }
          } catch (const std::bad_alloc&) {
            if (!std::equal(given.begin(), given.end(), args->argv())) {
              ++moved_before_failure;
            }
            throw;
          }
        });
  });
  EXPECT_EQ(joinedProblems(result), "");
  EXPECT_GE(result.allocations, minimum_allocations);
  EXPECT_EQ(result.failedRuns, result.allocations);
  EXPECT_EQ(moved_before_failure, 0);
}

TEST(ScannerAllocationFailure, BuildingAFullTable) {
  expectCleanFailures(
      [](XelGetOpt& scanner, test_support::Args&) {
        for (const char* name : kNames) {  // the last two are refused
          scanner.add_long_option(name, XelGetOpt::no_argument, 'n');
        }
      },
      1);
}

// Copies share the block; adding to one copies it first.
TEST(ScannerAllocationFailure, CopyOnWriteAndCopyAssignment) {
  expectCleanFailures(
      [](XelGetOpt& scanner, test_support::Args& args) {
        XelGetOpt member;
        member = XelGetOpt(args.argc(), args.argv(), "j:x");
        member.add_long_option("cn", XelGetOpt::required_argument, 'c');
        XelGetOpt copy(member);
        copy.add_long_option("data", XelGetOpt::no_argument, 'F');
        scanner = copy;
        scanner.opterr = 0;
        scanner.add_long_option("n30", XelGetOpt::no_argument, '3');
      },
      3);
}

// The scan itself, permutation included, takes nothing from the heap, so
// no failure can leave the vector half permuted.
TEST(ScannerAllocationFailure, ScanningAllocatesNothing) {
  test_support::EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
  test_support::Args args(permutingWords());
  XelGetOpt scanner(args.argc(), args.argv(), "j:x");
  scanner.opterr = 0;
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.add_long_option("data", XelGetOpt::no_argument, 'F');
  fault::failAllocation(SIZE_MAX);
  int codes = 0;
  while (scanner() != -1) {
    ++codes;
  }
  const std::size_t during_scan = fault::allocationsCounted();
  fault::failAllocation(0);
  EXPECT_EQ(during_scan, 0u);
  EXPECT_EQ(codes, 4);  // j, cn, data, and -n30 unrecognised
  EXPECT_EQ(args.joined(),
            "prog -j 5 -cn host -data -n30 -- stray1 stray2 stray3 stray4 -x");
}

// A line too long for the stack, with no memory for it: the scan goes on;
// a sink gets the line shortened, saying so, and standard error (without a
// sink) the whole line.
TEST(ScannerAllocationFailure, LongDiagnosticWithoutMemory) {
  const std::string program(300, 'p');
  for (const bool withSink : {true, false}) {
    test_support::Args args({program, "-q", "-x"});
    XelGetOpt scanner(args.argc(), args.argv(), "x");
    std::string sunk;
    if (withSink) {
      scanner.set_diagnostic_sink(
          [](void* lines, const char* line, std::size_t length) {
            static_cast<std::string*>(lines)->append(line, length);
          },
          &sunk);
    }
    std::string codes;
    const auto output = test_support::capture([&] {
      fault::failAllocation(1);
      codes += test_support::code_text(scanner());
      fault::failAllocation(0);
      codes += test_support::code_text(scanner());
    });
    EXPECT_EQ(codes, "?x");
    EXPECT_EQ(sunk, withSink ? program.substr(0, 243) + " [shortened]" : "");
    EXPECT_EQ(output.err, withSink ? "" : program + ": illegal option -- q\n");
  }
  // The stream is free again for other threads.
  std::thread([] { std::fflush(stderr); }).join();
}

// A table of the scanner's own, replaced by the caller's, is freed then.
TEST(ScannerAllocationFailure, ReplacedOwnTableIsFreed) {
  const long before = fault::liveBlocks();
  const XelGetOpt::option callers[] = {
      {nullptr, XelGetOpt::no_argument, nullptr, 0}};
  XelGetOpt scanner;
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.set_long_options(const_cast<XelGetOpt::option*>(callers));
  EXPECT_EQ(fault::liveBlocks(), before);
  // And so is one that an assignment replaces.
  scanner = XelGetOpt();
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner = XelGetOpt();
  EXPECT_EQ(fault::liveBlocks(), before);
}

}  // namespace
