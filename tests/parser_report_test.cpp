// SPDX-License-Identifier: MIT
// A parser constructed with a report: its steps and remaining words as the
// scan left the vector, the callback after each step, and vectors that end
// early with a null element.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "parser_support.h"
#include "scanner_trace.h"

namespace {

using test_support::EnvGuard;
using Report = XelOptionsParser::ParseReport;
using Outcome = XelOptionsParser::Outcome;

std::string join(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

// code=argument[words]@position per step.
std::string stepsOf(const Report& report) {
  std::string text;
  for (const XelOptionsParser::ParseStep& step : report.steps) {
    text += (text.empty() ? "" : " ") + test_support::code_text(step.code) +
            (step.argument ? "=" + *step.argument : "") + "[" +
            join(step.words) + "]@" + std::to_string(step.position);
  }
  return text;
}

TEST(ParserReport, TellsTheStepsAndTheRemainingWords) {
  const struct {
    std::vector<std::string> words;
    bool posixlyCorrect;
    const char* steps;
    const char* remaining;
    std::size_t diagnostics;
  } cases[] = {
      {{"-j", "5", "-rbs"}, false, "j=5[-j 5]@1 R[-rbs]@3 -1[]@4", "", 0},
      {{"-j", "5", "s", "-cn", "c1", "-q", "--", "-x"},
       false,
       "j=5[-j 5]@1 c=c1[-cn c1]@3 ?[-q]@5 -1[--]@6",
       "s -x",
       1},
      {{"-j", "5", "s", "-cn", "c1"},
       true,
       "j=5[-j 5]@1 -1[]@3",
       "s -cn c1",
       0},
      {{"s", "-cn"}, false, "?[-cn]@1 -1[]@2", "s", 1},
  };
  Report report;  // used again: each parse tells only its own scan
  for (const auto& c : cases) {
    SCOPED_TRACE(parser_test::quoted(c.words));
    EnvGuard posix("POSIXLY_CORRECT", c.posixlyCorrect
                                          ? std::optional<const char*>("1")
                                          : std::nullopt);
    test_support::Args args = parser_test::commandLine(c.words);
    BackupOptionsParser parser(args.argc(), args.argv(), report);
    EXPECT_EQ(stepsOf(report), c.steps);
    EXPECT_EQ(join(report.remaining), c.remaining);
    EXPECT_EQ(report.diagnostics.size(), c.diagnostics);
    EXPECT_EQ(report.isClean(), c.diagnostics == 0 && *c.remaining == '\0');
  }
}

// What each step did, as "outcome(rule)[conversion bits]#diagnostic".
std::string outcomesOf(const Report& report) {
  static const char* const kOutcomes[] = {
      "changed",         "unchanged",    "unknownOption",
      "ambiguousOption", "missingValue", "unexpectedValue",
      "unknownLetter",   "terminator",   "end"};
  static const char* const kRules[] = {"",          "(empty)",   "(same)",
                                       "(smaller)", "(notRead)", "(notShown)"};
  std::string text;
  for (const XelOptionsParser::ParseStep& step : report.steps) {
    text += (text.empty() ? "" : " ") +
            std::string(kOutcomes[static_cast<int>(step.outcome)]) +
            kRules[static_cast<int>(step.rule)];
    if (step.conversions != 0) {
      text += "[" + std::to_string(step.conversions) + "]";
    }
    if (step.isError() || step.diagnostic != -1) {
      text += "#" + std::to_string(step.diagnostic);
    }
  }
  return text;
}

// One row per way a step turns out. Conversion bits: 1 text after the
// number, 2 no digits, 4 negative wrapped, 8 saturated, 16 job id clamped,
// 32 white space or sign, 64 no colon, 128 nothing after it.
TEST(ParserReport, SaysWhatEachStepDid) {
  enum Kind { backup, restore, scan };
  const struct {
    Kind kind;
    std::vector<std::string> words;
    const char* outcomes;
    bool takenAsWritten;
  } cases[] = {
      {backup,
       {"-t", "-5", "-j", "99999999999", "-numstreams", "12x", "-p", " +9"},
       "changed[4] changed[16] changed[1] changed[32] end",
       false},
      {backup,
       {"-t", "99999999999999999999", "-p", "-0", "-J", "-7", "-j", "x",
        "-numstreams", "-99999999999999999999"},
       "changed[8] unchanged(same)[32] changed changed[2] changed[8] end",
       false},
      {backup,
       {"-j", "", "-vm", "v", "-vm", "", "-vm", "v", "-cn", ""},
       "unchanged(empty) changed unchanged(empty) unchanged(same) "
       "unchanged(same) end",
       true},
      {backup,
       {"-a", "1234", "-a", "7:", "-a", ":5", "-a", "7x:5:6", "-a", "7:5"},
       "unchanged(notRead)[64] unchanged(notRead)[128] changed[2] changed[1] "
       "unchanged(same) end",
       false},
      {backup,
       {"-data", "-data", "-skipconversionrules", "-integcheck", "-o", "",
        "-restart", "5", "-logs", "-differential", "-alwayson", "-TLToSnap",
        "-dctm", "-rbs", "--", "x"},
       "changed unchanged(same) changed unchanged(same) unchanged(empty) "
       "changed changed changed changed changed changed unchanged(same) "
       "terminator",
       true},
      {backup,
       {"-x", "-:", "y", "-cn"},
       "unknownOption#0 unknownLetter#1 missingValue#2 end",
       true},
      {restore,
       {"-rbs", "0", "-dctm", "-rbs", "1", "-phase", "p", "-maHostName", "m"},
       "changed changed unchanged(same) unchanged(notShown) changed end",
       true},
      {scan,
       {"-o", "12", "-o", "12x", "-restart", "abc", "-o", "", "-d", "m"},
       "changed unchanged(smaller) changed unchanged(empty) changed end",
       true},
      {scan,  // a restart text is kept as written, however it compared
       {"-o", "20", "-o", "12x", "-o", " 7"},
       "changed changed changed end",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(parser_test::quoted(c.words));
    EnvGuard permuting("POSIXLY_CORRECT", std::nullopt);
    test_support::Args args = parser_test::commandLine(c.words);
    Report report;
    if (c.kind == backup) {
      BackupOptionsParser parser(args.argc(), args.argv(), report);
    } else if (c.kind == restore) {
      RestoreOptionsParser parser(args.argc(), args.argv(), report);
    } else {
      ScanOptionsParser parser(args.argc(), args.argv(), report);
    }
    EXPECT_EQ(outcomesOf(report), c.outcomes);
    EXPECT_EQ(report.isTakenAsWritten(), c.takenAsWritten);
    const bool errors = std::string(c.outcomes).find('#') != std::string::npos;
    EXPECT_EQ(report.isClean(), !errors && report.remaining.empty());
  }
  // An error step is never clean, whatever the diagnostics say.
  Report noLine;
  noLine.steps.push_back({'?', {}, {"-x"}, 1, Outcome::unknownOption});
  EXPECT_FALSE(noLine.isClean());
}

// Through the base, by accessor and by field: the job id after each step,
// and the fields the step assigned (none when a value is not taken).
TEST(ParserReport, CallbackSeesTheRecordAfterEachStep) {
  test_support::Args args = parser_test::commandLine(
      {"-j", "1", "x", "-J", "2", "-j", "", "-a", "3", "-a", "4:5", "-dctm"});
  Report report;
  std::string seen;
  report.context = &seen;
  report.onStep = [](void* context, const XelOptionsParser::ParseStep& step,
                     XelOptionsParser& parser) {
    *static_cast<std::string*>(context) +=
        std::to_string(parser.getJobId()) + "=" +
        parser_test::valueText(parser.fieldValue(0)) + ":" +
        step.assigned.to_string().substr(22) + " ";
  };
  RestoreOptionsParser parser(args.argc(), args.argv(), report);
  EXPECT_EQ(seen,
            "1=1:0000000001 2=2:0000000001 2=2:0000000000 2=2:0000000000 "
            "2=2:0000000110 2=2:1100000000 2=2:0000000000 ");
  EXPECT_THROW(parser.fieldValue(10), std::out_of_range);
}

TEST(ParserReport, ScanParserWithoutVectorGivesAnEmptyReport) {
  Report report;
  report.diagnostics = {"left from before"};
  report.remaining = {"x"};
  ScanOptionsParser parser(3, nullptr, report);
  EXPECT_TRUE(report.steps.empty());
  EXPECT_TRUE(report.isClean());
}

// A caller who counts the closing null: the vector ends there, for every
// parser, and nothing behind it is read.
template <typename Parser>
void expectNullEndsTheVector() {
  char prog[] = "prog";
  char cn[] = "-cn";
  char j[] = "-j";
  char seven[] = "7";
  char* valueMissing[] = {prog, cn, nullptr};
  Report missing;
  Parser first(3, valueMissing, missing);
  EXPECT_EQ(join(missing.diagnostics),
            "prog: option `-cn' requires an argument");
  EXPECT_EQ(first.getClientMachine(), "");

  char* unreadTail[] = {prog, j, seven, nullptr, cn};
  Report tail;
  Parser second(5, unreadTail, tail);
  EXPECT_EQ(second.getJobId(), 7);
  EXPECT_TRUE(tail.isClean());

  char* noProgram[] = {nullptr, j, seven, nullptr};  // an empty vector
  Report none;
  Parser third(3, noProgram, none);
  EXPECT_EQ(third.getJobId(), 0);
  EXPECT_TRUE(none.isClean());
  test_support::capture([&] {
    Parser plain(3, valueMissing);
    EXPECT_EQ(plain.getClientMachine(), "");
  });
}

TEST(ParserReport, NullElementEndsTheVector) {
  expectNullEndsTheVector<BackupOptionsParser>();
  expectNullEndsTheVector<RestoreOptionsParser>();
  expectNullEndsTheVector<ScanOptionsParser>();
}

// Without a report POSIXLY_CORRECT is read only once the order matters;
// with one, at the first call. Random vectors must parse alike either way.
template <class Parser>
void expectLateOrderAsEarly(std::optional<const char*> posixly) {
  const EnvGuard guard("POSIXLY_CORRECT", posixly);
  const std::vector<std::string> pool = {
      "-j",       "7",   "-a",  "5:57",   "-cn", "c1", "-rbs", "-dctm",
      "-restart", "-o",  "12",  "x",      "--",  "-",  "-q",   "-t",
      "-phase",   "-jt", "-j7", "-cn=c2", "-pj", "-tj"};
  std::mt19937 random(34);
  std::string reported;
  std::string mismatches;
  const test_support::Output plain = test_support::capture([&] {
    for (int n = 0; n < 400; ++n) {
      std::vector<std::string> words = {"prog"};
      for (auto i = random() % 9; i > 0; --i) {
        words.push_back(pool[random() % pool.size()]);
      }
      test_support::Args early(words);
      test_support::Args late(words);
      Report report;
      const Parser withReport(early.argc(), early.argv(), report);
      const Parser alone(late.argc(), late.argv());
      for (const std::string& line : report.diagnostics) {
        reported += line + "\n";
      }
      if (withReport.settings() != alone.settings() ||
          early.joined() != late.joined()) {
        mismatches += join(words) + "\n";
      }
    }
  });
  EXPECT_EQ(mismatches, "");
  EXPECT_EQ(plain.err, reported);
}

TEST(ParserReport, ReadsTheOrderLateAsEarly) {
  for (auto posixly :
       {std::optional<const char*>(), std::optional(""), std::optional("1")}) {
    expectLateOrderAsEarly<BackupOptionsParser>(posixly);
    expectLateOrderAsEarly<RestoreOptionsParser>(posixly);
    expectLateOrderAsEarly<ScanOptionsParser>(posixly);
  }
}

}  // namespace
