// SPDX-License-Identifier: MIT
// The long-option table: the bounded builder and its two messages, caller
// tables, and the block that copies share and release.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::capture;
using test_support::code_text;
using test_support::trace;

const char kTooMany[] = "Getopt: too many long options.";
const char kClosed[] =
    "Getopt: can't use add_long_option() after set_long_options().";

// Names that live as long as the test binary.
const std::vector<std::string>& names() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> v;
    for (int i = 0; i < 40; ++i) {
      v.push_back("n" + std::to_string(i));
    }
    return v;
  }();
  return all;
}

void expect_terminated(const XelGetOpt& s, int count) {
  ASSERT_EQ(s.long_count, count);
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(s.longopts[i].name, names()[static_cast<std::size_t>(i)].c_str())
        << i;
    EXPECT_EQ(s.longopts[i].val, 'A' + i) << i;
  }
  EXPECT_EQ(s.longopts[count].name, nullptr);
  EXPECT_EQ(s.longopts[count].has_arg, 0);
  EXPECT_EQ(s.longopts[count].flag, nullptr);
  EXPECT_EQ(s.longopts[count].val, 0);
}

void add(XelGetOpt& s, int from, int to) {
  for (int i = from; i < to; ++i) {
    s.add_long_option(names()[static_cast<std::size_t>(i)].c_str(),
                      XelGetOpt::no_argument, static_cast<char>('A' + i));
  }
}

TEST(ScannerTable, HoldsThirtyOneOptions) {
  Args args = Args::of("prog -n30 -n0");
  XelGetOpt scanner(args.argc(), args.argv(), "");
  EXPECT_EQ(capture([&] { add(scanner, 0, 31); }).out, "");
  EXPECT_EQ(scanner.error(), XelGetOpt::no_error);
  expect_terminated(scanner, 31);
  const auto* block = scanner.longopts;
  EXPECT_EQ(capture([&] { add(scanner, 31, 33); }).out,
            std::string(kTooMany) + kTooMany);
  EXPECT_EQ(scanner.error(), XelGetOpt::table_full);
  EXPECT_EQ(scanner.longopts, block);
  expect_terminated(scanner, 31);
  EXPECT_EQ(trace(scanner).codes, code_text('A' + 30) + " A -1");

  // A count set by hand: the table made for the refused name is empty.
  XelGetOpt counted;
  counted.long_count = 31;
  EXPECT_EQ(capture([&] { add(counted, 0, 1); }).out, kTooMany);
  counted.long_count = 0;
  expect_terminated(counted, 0);
}

TEST(ScannerTable, ClosedAfterSetLongOptions) {
  XelGetOpt::option table[] = {
      {"cn", XelGetOpt::required_argument, nullptr, 'c'},
      {nullptr, XelGetOpt::no_argument, nullptr, 0}};
  XelGetOpt scanner;
  add(scanner, 0, 2);
  scanner.set_long_options(table);
  EXPECT_EQ(scanner.long_count, -1);
  EXPECT_EQ(capture([&] { add(scanner, 2, 3); }).out, kClosed);
  EXPECT_EQ(scanner.error(), XelGetOpt::table_installed);
  EXPECT_EQ(scanner.longopts, table);
  EXPECT_EQ(table[1].name, nullptr);
}

// A table the caller points longopts at is written where it stands, and
// the scanner never frees it.
TEST(ScannerTable, CallersArrayIsFilledInPlace) {
  XelGetOpt::option callers[4] = {};
  XelGetOpt scanner;
  scanner.longopts = callers;
  add(scanner, 0, 2);
  EXPECT_EQ(scanner.longopts, callers);
  EXPECT_EQ(callers[1].val, 'B');
  EXPECT_EQ(callers[2].name, nullptr);
}

// With a null table the scanner keeps to short options, and stays closed.
TEST(ScannerTable, NullTableMeansShortOptions) {
  Args args = Args::of("prog -cn");
  XelGetOpt scanner(args.argc(), args.argv(), "cn");
  scanner.set_long_options(nullptr);
  EXPECT_EQ(capture([&] { add(scanner, 0, 1); }).out, kClosed);
  EXPECT_EQ(scanner.longopts, nullptr);
  EXPECT_EQ(trace(scanner).codes, "c n -1");
}

// One registered long option switches getopt() to long-only mode.
TEST(ScannerTable, FirstLongOptionSwitchesToLongOnly) {
  Args plain = Args::of("prog -cn");
  XelGetOpt short_only(plain.argc(), plain.argv(), "cn");
  EXPECT_EQ(trace(short_only).codes, "c n -1");

  Args args = Args::of("prog -cn");
  XelGetOpt long_only(args.argc(), args.argv(), "cn");
  long_only.add_long_option("cn", XelGetOpt::no_argument, 'C');
  EXPECT_EQ(trace(long_only).codes, "C -1");
}

TEST(ScannerTable, ValueIsWidenedFromASignedCharacter) {
  Args args = Args::of("prog -high");
  XelGetOpt scanner(args.argc(), args.argv(), "");
  scanner.add_long_option("high", XelGetOpt::no_argument,
                          static_cast<char>(200));
  EXPECT_EQ(scanner.longopts[0].val, -56);
  EXPECT_EQ(trace(scanner).codes, "-56 -1");
}

TEST(ScannerTableCopies, ShareTheBlockAndCopyOnWrite) {
  Args args = Args::of("prog -n0 -n1 -n2");
  auto original = std::make_unique<XelGetOpt>(args.argc(), args.argv(), "");
  add(*original, 0, 2);
  XelGetOpt copy(*original);
  EXPECT_EQ(copy.longopts, original->longopts);

  add(copy, 2, 3);
  EXPECT_NE(copy.longopts, original->longopts);
  expect_terminated(copy, 3);
  expect_terminated(*original, 2);

  // The original's block outlives neither copy's need of its own.
  XelGetOpt sharer(*original);
  original.reset();
  expect_terminated(sharer, 2);
  EXPECT_EQ(trace(copy).codes, "A B C -1");
}

// Copy on write holds up to the last free record.
TEST(ScannerTableCopies, ThirtyFirstOptionOfASharedTable) {
  XelGetOpt original;
  add(original, 0, 30);
  XelGetOpt copy = original;
  add(copy, 30, 31);
  expect_terminated(original, 30);
  expect_terminated(copy, 31);
  // The original, too, copies before it writes.
  XelGetOpt second = original;
  add(original, 30, 31);
  expect_terminated(second, 30);
  expect_terminated(original, 31);
}

// A full shared table prints its refusal and is neither copied nor changed.
TEST(ScannerTableCopies, FullSharedTableStaysShared) {
  XelGetOpt original;
  capture([&] { add(original, 0, 31); });
  XelGetOpt copy = original;
  EXPECT_EQ(capture([&] { add(copy, 31, 32); }).out, kTooMany);
  EXPECT_EQ(copy.longopts, original.longopts);
  expect_terminated(original, 31);
}

// The job parsers copy-assign a fresh scanner over their member, possibly
// more than once; each assignment lets go of the block it replaces.
TEST(ScannerTableCopies, AssignmentsReleaseTheReplacedBlock) {
  Args args = Args::of("prog -n0 a -n1");
  XelGetOpt member;
  for (int round = 0; round < 3; ++round) {
    add(member, 0, 1);
    member = XelGetOpt(args.argc(), args.argv(), "");
    add(member, 0, 2);
  }
  XelGetOpt moved(std::move(member));
  member = moved;
  moved = std::move(member);
  member = moved;
  EXPECT_EQ(trace(member).codes, "A B -1");
  EXPECT_EQ(args.joined(), "prog -n0 -n1 a");

  // A copy of an unscanned scanner scans like the original would have.
  Args again = Args::of("prog -n1 b");
  XelGetOpt fresh(again.argc(), again.argv(), "");
  add(fresh, 0, 2);
  XelGetOpt fresh_copy;
  fresh_copy = fresh;
  EXPECT_EQ(trace(fresh_copy).codes, "B -1");
}

// set_long_options drops the builder's block; a copy still holding it keeps
// it alive.
TEST(ScannerTableCopies, SetLongOptionsDropsTheBuiltBlock) {
  XelGetOpt::option table[] = {{nullptr, XelGetOpt::no_argument, nullptr, 0}};
  XelGetOpt scanner;
  add(scanner, 0, 3);
  XelGetOpt copy(scanner);
  scanner.set_long_options(table);
  XelGetOpt only;
  add(only, 0, 3);
  only.set_long_options(table);
  EXPECT_EQ(only.longopts, table);
  expect_terminated(copy, 3);
}

}  // namespace
