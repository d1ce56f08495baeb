// A parser constructed with a report: its steps and remaining words as the
// scan left the vector, the callback after each step, and vectors that end
// early with a null element.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser_support.h"
#include "scanner_trace.h"

namespace {

using test_support::EnvGuard;
using Report = XelOptionsParser::ScanReport;

std::string join(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

// code=argument[words]@firstWord per step.
std::string stepsOf(const Report& report) {
  std::string text;
  for (const XelOptionsParser::ScanStep& step : report.steps) {
    text += (text.empty() ? "" : " ") + test_support::code_text(step.code) +
            (step.argument ? "=" + *step.argument : "") + "[" +
            join(step.words) + "]@" + std::to_string(step.firstWord);
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

TEST(ParserReport, CallbackSeesTheRecordAfterEachStep) {
  test_support::Args args =
      parser_test::commandLine({"-j", "1", "x", "-J", "2"});
  Report report;
  std::vector<std::int64_t> jobIds;
  report.context = &jobIds;
  report.onStep = [](const XelOptionsParser::ScanStep&,
                     XelOptionsParser& parser, void* context) {
    static_cast<std::vector<std::int64_t>*>(context)->push_back(
        parser.getJobId());
  };
  RestoreOptionsParser parser(args.argc(), args.argv(), report);
  EXPECT_EQ(jobIds, (std::vector<std::int64_t>{1, 2, 2}));
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

}  // namespace
