// SPDX-License-Identifier: MIT
// xeljob run as a process: its output, its exit statuses, and that no input
// makes it fail.
#include <XeloptsVersion.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <variant>
#include <vector>

#include "FrequentTexts.h"
#include "JobOutcome.h"
#include "ProcessJob.h"
#include "ShellWords.h"
#include "TextEscape.h"
#include "ToolRun.h"

namespace {

using Words = std::vector<std::string>;

const Words kTypicalRequest = {
    "backup", "-j",    "812",         "-a", "5:57",   "-cn",  "client01",
    "-vm",    "vm07",  "-t",          "1",  "-phase", "4",    "-restart",
    "12",     "-data", "-numstreams", "3",  "-rbs",   "extra"};

// A line of the record table: the accessor, spaces, the value.
bool hasRow(const std::string& table, const std::string& accessor,
            const std::string& value) {
  const std::string start = "\n  " + accessor + ' ';
  for (auto at = table.find(start); at != std::string::npos;
       at = table.find(start, at + 1)) {
    const auto column = table.find_first_not_of(' ', at + start.size());
    if (column != std::string::npos &&
        table.compare(column, value.size() + 1, value + '\n') == 0) {
      return true;
    }
  }
  return false;
}

bool matches(const std::string& text, const std::string& pattern) {
  return std::regex_search(text, std::regex(pattern));
}

TEST(XeljobTest, TypicalRequestShowsItsRecord) {
  const ToolRun run = runTool(kTypicalRequest);
  EXPECT_EQ(run.status, 1) << "the word extra is left over";
  EXPECT_EQ(run.err, "");
  const struct {
    const char* accessor;
    const char* value;
  } rows[] = {
      {"getJobId", "812"},
      {"getApplicationNumber", "57"},
      {"getQuorvelId", "5"},
      {"getClientMachine", "\"client01\""},
      {"getVirtualMachine", "\"vm07\""},
      {"getBackupType", "1"},
      {"getBackupPhase", "\"4\""},
      {"getFullRestartString", "\"-o 12\""},
      {"getNumStreamsForRBS", "3"},
      {"isDOption", "true"},
      {"isRBSJob", "true"},
      {"isLOption", "false"},
      {"isIOption", "false"},
      {"isSkipConversion", "false"},
      {"isIntegrityCheck", "false"},
      {"isAlwaysONJob", "false"},
      {"isDctmJob", "false"},
      {"isTLToSnapJob", "false"},
      {"getRestoreTaskId", "0"},
      {"getJobToken", "\"\""},
      {"getMediaAgent", "\"\""},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(hasRow(run.out, row.accessor, row.value))
        << row.accessor << " should be " << row.value << " in\n"
        << run.out;
  }
  EXPECT_NE(run.out.find("diagnostics: none\n"), std::string::npos);
  EXPECT_NE(run.out.find("left over: 1 word\n  extra\n"), std::string::npos);
}

TEST(XeljobTest, EachKindShowsItsOwnAccessors) {
  const ToolRun restore =
      runTool({"restore", "-maHostName", "ma01", "-rbs", "x", "-j", "4"});
  EXPECT_EQ(restore.status, 0) << "the value of -rbs is never read, by rule";
  EXPECT_TRUE(hasRow(restore.out, "getMaHostName", "\"ma01\""));
  EXPECT_TRUE(hasRow(restore.out, "isRBSJob", "true"));
  EXPECT_TRUE(hasRow(restore.out, "getJobId", "4"));
  EXPECT_EQ(restore.out.find("getBackupType"), std::string::npos);

  const ToolRun scan =
      runTool({"scan", "-o", "30", "-restart", "10", "-o", "20"});
  EXPECT_EQ(scan.status, 0);
  EXPECT_TRUE(hasRow(scan.out, "getRestartString", "\"10\"")) << scan.out;
  EXPECT_EQ(scan.out.find("isRBSJob"), std::string::npos);
}

TEST(XeljobTest, ExitStatusSaysWhetherEveryWordWasTaken) {
  const struct {
    Words args;
    int status;
  } cases[] = {
      {{"backup"}, 0},
      {{"backup", "-j", "5", "-cn", "c1", "-rbs"}, 0},
      {{"backup", "--cn", "c1"}, 0},
      {{"--json", "--trace", "backup", "-j5"}, 0},
      {{"restore", "-dctm", "-maHostName", "ma01"}, 0},
      {{"restore", "-rbs", "-dctm"}, 0},  // a value never read, by rule
      {{"backup", "-restart", "-3", "-a", "5:57", "-j", "-8"}, 0},
      {{"scan", "-o", "30", "-restart", "10", "-d", "ma01"}, 0},
      {{"scan", "-o", "20", "-o", "12x", "-o", " 7"}, 0},  // kept as written
      {{"backup", "extra"}, 1},
      {{"backup", "-c", "host1"}, 1},
      {{"backup", "-j"}, 1},
      {{"restore", "-t", "3"}, 1},
      {{"scan", "--", "--rbs", "x"}, 1},
      {{"--help"}, 0},
      {{"--vocabulary", "backup"}, 0},
      {{"backup", "--", "-j", "5"}, 1},  // the job's own "--"
      {{"backup", "--", "--frob"}, 1},
      {{"backup", "--", "--json"}, 1},  // no hint: "--" says it is a job word
      {{"-h"}, 0},
      // A value not taken as written: kept, not read, or replaced.
      {{"backup", "-numstreams", "12x"}, 1},
      {{"backup", "-a", "5"}, 1},
      {{"backup", "-j", "7x", "-j", "7"}, 1},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args);
    EXPECT_EQ(run.status, c.status)
        << c.args.front() << " ... " << c.args.back() << "\n"
        << run.out << run.err;
    EXPECT_EQ(run.err, "") << "the parser's diagnostics go to the report";
  }
}

// The tool's version, and the library's as the library gives it.
TEST(XeljobTest, VersionOfToolAndLibrary) {
  const ToolRun run = runTool({"--version"});
  EXPECT_EQ(run.out, std::string("xeljob (xelopts) ") + xelopts::version() +
                         "\nlibxelopts " + xelopts::version() + "\n");
}

// Each exit status, with what goes where: the tool needs only its standard
// output, and a report it cannot write is a failure it says.
TEST(XeljobTest, ExitStatusesAndTheirMessages) {
  using Out = ToolStreams;
  const struct {
    Words args;
    ToolStreams streams;
    int status;
    const char* err;  // the start of standard error's one line, or ""
  } cases[] = {
      {{"backup", "-j", "1"}, {}, 0, ""},
      {{"backup", "-j", "1", "extra"}, {}, 1, ""},
      {{"--frob", "backup"}, {}, 2, "xeljob: unknown option \"--frob\""},
      {{"backup", "-j", "1"},
       {Out::kFullDevice},
       2,
       "xeljob: cannot write to standard output: No space left on device"},
      {{"--version"},
       {Out::kFullDevice},
       2,
       "xeljob: cannot write to standard output: No space left on device"},
      {{"backup", "-j", "1"}, {Out::kPipeWithoutReader}, 3, ""},
      {{"backup", "-j", "1", "-q"}, {Out::kCaptured, true}, 1, ""},
      {{"backup", "-j", "1", "-h", "--json"},  // one hint, the parse unchanged
       {},
       1,
       "xeljob: hint: \"-h\" is taken as a job word; xeljob's own options go "
       "before the job kind\n"},
      {{"backup", "--json", "-j", "1"},  // a job word: no JSON
       {},
       1,
       "xeljob: hint: \"--json\" is taken as a job word"},
      {{"backup", "-j", "1"}, {Out::kFullDevice, true}, 2, ""},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args, {}, c.streams);
    EXPECT_EQ(run.status, c.status) << c.args.back() << '\n' << run.err;
    if (*c.err == '\0') {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(run.err.rfind(c.err, 0), 0U) << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    if (c.streams.out == Out::kCaptured && c.status != 2) {
      EXPECT_TRUE(hasRow(run.out, "getJobId", "1")) << run.out;
    }
  }
  const ToolRun closed =
      runTool({"backup", "-j", "1", "-q"}, {}, {Out::kCaptured, true});
  EXPECT_NE(closed.out.find("backup: unrecognized option `-q'"),
            std::string::npos)
      << closed.out;
}

TEST(XeljobTest, UsageErrorsGiveOneLineAndStatusTwo) {
  const Words cases[] = {
      {},
      {"frob", "-j", "5"},
      {"--cn", "backup"},
      {"-j", "5"},
      {"--json"},
      {""},
      {"--cmdline", "a", "--pid", "1", "backup"},
      {"--pid", "12x", "scan"},
      {"--cmdline"},
      {"--cmdline", "-", "backup", "-j"},
      {"--diff", "backup", "-j 7"},
      {"--diff", "--trace", "backup", "-j 7", "-j 8"},
      {"--lines", "-", "--vocabulary", "backup"},
      {"--vocabulary", "backup", "-j", "7"},
      {"--canonical", "--trace", "backup"},
      {"--version", "extra"},
      {"-h", "backup"},
  };
  for (const Words& args : cases) {
    const ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.err.rfind("xeljob: ", 0), 0U) << run.err;
  }
}

TEST(XeljobTest, ShowsDiagnosticsAndLeftoverWordsOfThePermutingScan) {
  const ToolRun run = runTool(
      {"backup", "a", "-c", "host1", "-j", "5", "--cn=x", "--", "-j", "7"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(hasRow(run.out, "getJobId", "5")) << run.out;
  EXPECT_NE(run.out.find("diagnostics: 2\n"
                         "  backup: unrecognized option `-c'\n"
                         "  backup: unrecognized option `cn=x'\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("left over: 4 words\n  a host1 -j 7\n"),
            std::string::npos)
      << run.out;
}

TEST(XeljobTest, PosixOptionAloneDecidesWhetherTheFirstStrayWordStops) {
  const Words words = {"-c", "host1", "-j", "5"};
  Words posix = {"--posix", "backup"};
  posix.insert(posix.end(), words.begin(), words.end());
  Words permute = {"backup"};
  permute.insert(permute.end(), words.begin(), words.end());

  const ToolRun stopped = runTool(posix);
  EXPECT_TRUE(hasRow(stopped.out, "getJobId", "0")) << stopped.out;
  EXPECT_NE(stopped.out.find("left over: 3 words\n  host1 -j 5\n"),
            std::string::npos)
      << stopped.out;

  // The caller's own POSIXLY_CORRECT plays no part.
  const ToolRun permuted = runTool(permute, {"POSIXLY_CORRECT=1"});
  EXPECT_TRUE(hasRow(permuted.out, "getJobId", "5")) << permuted.out;
  EXPECT_NE(permuted.out.find("left over: 1 word\n  host1\n"),
            std::string::npos);
}

struct TraceRow {
  Words args;       // the kind, then the job words
  const char* row;  // a regular expression for one whole line of the trace
};

void expectTraced(const std::vector<TraceRow>& rows) {
  for (const TraceRow& c : rows) {
    Words args = c.args;
    args.insert(args.begin(), "--trace");
    const ToolRun run = runTool(args);
    EXPECT_TRUE(matches(run.out, std::string("\n  ") + c.row + "\n"))
        << c.row << " in\n"
        << run.out;
  }
}

// What each option did: the values it changed, old and new (an accumulating
// one by what the step appended), or that it changed nothing and by which
// rule; and how its value was not taken as written.
TEST(XeljobTest, TraceShowsWhatEachOptionDid) {
  expectTraced({
      {{"backup", "-j", "7", "-j", ""},
       R"('j' +-j "" +nothing changed \(an empty value\))"},
      {{"backup", "-cn", "c1", "-cn", "c1"},
       R"('c' +-cn c1 +getClientMachine: "" -> "c1"\n +'c' +-cn c1 +nothing changed \(the same value again\))"},
      {{"backup", "-vm", "v", "-vm", ""},
       R"('v' +-vm "" +nothing changed \(an empty value\))"},
      {{"backup", "-rbs", "-dctm", "-rbs"},
       R"('U' +-dctm +isDctmJob: false -> true\n +'R' +-rbs +nothing changed \(the same value again\))"},
      {{"backup", "-skipconversionrules"},
       R"('S' +-skipconversionrules +isSkipConversion: false -> true, isIntegrityCheck: false -> true)"},
      {{"scan", "-o", "abc", "-restart", "3"},
       R"('r' +-restart 3 +nothing changed \(not smaller than the restart value kept\))"},
      {{"scan", "-o", "5", "-o", "3"},
       R"('o' +-o 3 +getRestartString: "5" -> "3")"},
      {{"backup", "-restart", "4", "-o", "5", "-o", ""},
       R"('o' +-o 5 +getFullRestartString: appended "-o 5"\n +'o' +-o "" +nothing changed \(an empty value\))"},
      {{"restore", "-rbs", "-dctm", "-phase", "full"},
       R"('R' +-rbs -dctm +isRBSJob: false -> true\n +'h' +-phase full +nothing changed \(no accessor shows this option\))"},
      {{"backup", "-t", "-5"},
       R"('t' +-t -5 +getBackupType: 0 -> 18446744073709551611 \(a negative number wrapped\))"},
      {{"backup", "-j", "99999999999"},
       R"('j' +-j 99999999999 +getJobId: 0 -> 2147483647 \(job id clamped to 32 bits\))"},
      {{"backup", "-p", " +3x"},
       R"('p' +-p " \+3x" +getRestoreTaskId: 0 -> 3 \(text after the number ignored, white space or a sign before the number\))"},
      {{"backup", "-t", "99999999999999999999", "-p", "x"},
       R"('t' .* \(out of range and saturated\)\n +'p' +-p x +nothing changed \(the same value again, no digits read\))"},
      {{"backup", "-a", "5", "-a", "5:"},
       R"('a' +-a 5 +nothing changed \(value not read, no colon\)\n +'a' +-a 5: +nothing changed \(value not read, nothing after the colon\))"},
      {{"backup", "-a", "5:7", "-a", "5x:8"},
       R"('a' +-a 5x:8 +getApplicationNumber: 7 -> 8 \(getQuorvelId: text after the number ignored\))"},
  });
}

// An error names its kind and its diagnostic; "--", or the last word, ends
// the options.
TEST(XeljobTest, TraceShowsEachErrorAndTheEndOfOptions) {
  expectTraced({
      {{"backup", "-q", "stray", "--", "-j", "5"},
       R"('\?' +-q +error: unknown option \(backup: unrecognized option `-q'\)\n +-1 +-- +end of options)"},
      {{"restore", "-j", "1", "-cn"},
       R"('\?' +-cn +error: missing value \(restore: option `-cn' requires an argument\)\n +-1 +end of options)"},
  });
}

// In JSON every trace item carries its outcome, rule, conversions and
// diagnostic; the record's values their conversions, apart from it.
TEST(XeljobTest, JsonCarriesOutcomesAndConversions) {
  const struct {
    Words args;
    const char* part;
  } cases[] = {
      {{"scan", "-o", "5", "-o", "3"},
       R"({"code": 111, "option": "-o", "argument": "3", "words": ["-o", "3"], )"
       R"("outcome": "changed", "rule": null, "conversions": [], )"
       R"("fieldConversions": {}, "diagnostic": null, )"
       R"("changes": [{"accessor": "getRestartString", )"
       R"("old": "5", "new": "3"}]})"},
      {{"backup", "-o", "4", "-o", "5"},
       R"("changes": [{"accessor": "getFullRestartString", "appended": "-o 5"}]})"},
      {{"backup", "-j", "5", "-q", "-j", "5x"},
       R"("outcome": "unknown_option", "rule": null, "conversions": [], "fieldConversions": {}, "diagnostic": 0, )"},
      {{"backup", "-a", "5:7x"},
       R"("conversions": ["text_after_number"], "fieldConversions": {"getApplicationNumber": ["text_after_number"]}, )"},
      {{"backup", "-j", "5", "-j", "5x"},
       R"("outcome": "unchanged", "rule": "same_value", "conversions": ["text_after_number"], )"},
      {{"backup", "-j", "99999999999", "-a", "5"},
       "\"conversions\": {\n    \"getJobId\": [\"job_id_clamped\"]\n  },"},
      {{"backup", "-j", "99999999999", "-a", "5"},
       "\"otherConversions\": [\n    {\"words\": [\"-a\", \"5\"], "
       "\"conversions\": [\"no_colon\"]}\n  ],"},
      {{"backup", "-a", "5"},
       "\"clean\": true,\n  \"takenAsWritten\": false\n"},
  };
  for (const auto& c : cases) {
    Words args = c.args;
    args.insert(args.begin(), {"--json", "--trace"});
    const ToolRun run = runTool(args);
    EXPECT_NE(run.out.find(c.part), std::string::npos) << c.part << " in\n"
                                                       << run.out;
  }
}

// A value not taken as written is marked with its conversions, those of the
// step that wrote it last; a step whose value went into no value of the
// record (not read, or replaced) is listed below the record. Either is a row
// of the table: a name, spaces, the rest.
TEST(XeljobTest, TableMarksEachValueNotTakenAsWritten) {
  const struct {
    Words args;
    const char* name;
    const char* rest;
  } cases[] = {
      {{"backup", "-j", "99999999999"},
       "getJobId",
       "2147483647  (job id clamped to 32 bits)"},
      {{"backup", "-a", " 5:57x"},
       "getQuorvelId",
       "5  (white space or a sign before the number)"},
      {{"backup", "-a", " 5:57x"},
       "getApplicationNumber",
       "57  (text after the number ignored)"},
      {{"backup", "-a", "5x:7"}, "getApplicationNumber", "7"},
      {{"backup", "-j", "7", "-j", "7x"},
       "getJobId",
       "7  (text after the number ignored)"},
      {{"backup", "-j", "7x", "-j", "7"}, "getJobId", "7"},
      {{"backup", "-j", "7x", "-j", "7"},
       "-j",
       "7x  (text after the number ignored)"},
      {{"backup", "-a", "5:57", "-a", "5"}, "-a", "5  (no colon)"},
      {{"restore", "-rbs", "x", "-dctm"}, "isRBSJob", "true"},
      {{"backup", "-restart", "5x", "-o", " 6"},
       "getFullRestartString",
       "\"-o 5x-o  6\""},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args);
    EXPECT_TRUE(hasRow(run.out, c.name, c.rest)) << c.rest << " in\n"
                                                 << run.out;
  }
}

// Per step the trace keeps only what the step changed, an accumulating value
// by what the step appended: the whole record at every step made the tool
// quadratic in the words (3.4 GB for 20,000 words).
TEST(XeljobTest, TraceKeepsOnlyWhatEachStepAppended) {
  constexpr int kSteps = 3000;
  Words words;
  for (int i = 0; i < kSteps; ++i) {
    words.insert(words.end(),
                 {i % 2 == 0 ? "-restart" : "-o", std::to_string(i), "-rbs"});
  }
  const xeljob::JobKind& backup = *xeljob::findJobKind("backup");
  const xeljob::JobOutcome outcome = xeljob::runJob(backup, words, false, true);
  ASSERT_EQ(outcome.changes.size(), kSteps + 1U) << "-rbs changes once";
  int appended = 0;
  for (const xeljob::Change& change : outcome.changes) {
    if (const auto* text = std::get_if<std::string>(&change.value)) {
      EXPECT_EQ(*text, "-o " + std::to_string(appended++));
    }
  }
  EXPECT_EQ(appended, kSteps);
  EXPECT_TRUE(xeljob::runJob(backup, words, false, false).changes.empty());
}

TEST(XeljobTest, JsonEscapesBytesThatAreNotUtf8) {
  const ToolRun run = runTool({"--json", "backup", "-cn",
                               "\xff\xfe"
                               "a",
                               "-vm", "\xc3\xa9t\xc3\xa9", "-jt",
                               "q\"b\\\n\x01", "-d", "\xed\xa0\x80"});
  EXPECT_EQ(run.status, 0) << run.out;
  const char* expected[] = {
      R"("getClientMachine": "\udcff\udcfea",)",
      "\"getVirtualMachine\": \"\xc3\xa9t\xc3\xa9\",",
      R"("getJobToken": "q\"b\\\n\u0001",)",
      R"("getMediaAgent": "\udced\udca0\udc80",)",
      R"("diagnostics": [],)",
      R"("leftover": [],)",
      R"("clean": true)",
  };
  for (const char* line : expected) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n"
                                                     << run.out;
  }
}

TEST(XeljobTest, OnlyValidUtf8PassesUnescaped) {
  const struct {
    const char* word;
    const char* json;   // as a JSON string
    const char* table;  // as the table shows a left-over word
  } cases[] = {
      {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\"", "\xf0\x9f\x98\x80"},
      {"\xc3\x80", "\"\xc3\x80\"", "\xc3\x80"},
      {"\xc3\xc0", R"("\udcc3\udcc0")", R"("\xc3\xc0")"},
      {"\xc0\x80", R"("\udcc0\udc80")", R"("\xc0\x80")"},
      {"\xe2\x82", R"("\udce2\udc82")", R"("\xe2\x82")"},
      {"\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")",
       R"("\xf4\x90\x80\x80")"},
      {"\xc2\x9b[1m", R"("\u009b[1m")", R"("\xc2\x9b[1m")"},
      {"a\x7f\tb", R"("a\u007f\tb")", R"("a\x7f\tb")"},
      {"\x01\"\\\r", R"("\u0001\"\\\r")", R"("\x01\"\\\r")"},
      {"", R"("")", R"("")"},
  };
  for (const auto& c : cases) {
    const ToolRun json = runTool({"--json", "backup", "--", c.word});
    EXPECT_NE(json.out.find(std::string("\"leftover\": [") + c.json + "]"),
              std::string::npos)
        << c.json << " in\n"
        << json.out;
    const ToolRun table = runTool({"backup", "--", c.word});
    EXPECT_NE(
        table.out.find(std::string("left over: 1 word\n  ") + c.table + "\n"),
        std::string::npos)
        << c.table << " in\n"
        << table.out;
  }
}

TEST(XeljobTest, JsonKeepsSixtyFourBitValuesExact) {
  const ToolRun run =
      runTool({"--json", "backup", "-p", "-1", "-t", "18446744073709551614",
               "-j", "-2147483648", "stray"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find(R"("getRestoreTaskId": 18446744073709551615)"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(R"("getBackupType": 18446744073709551614,)"),
            std::string::npos);
  EXPECT_NE(run.out.find(R"("getJobId": -2147483648,)"), std::string::npos);
  EXPECT_NE(run.out.find(R"("leftover": ["stray"],)"), std::string::npos);
  EXPECT_NE(run.out.find(R"("clean": false)"), std::string::npos);
}

TEST(XeljobTest, EmptyWordListGivesTheDefaults) {
  for (const char* kind : {"backup", "restore", "scan"}) {
    const ToolRun run = runTool({"--json", "--trace", kind});
    EXPECT_EQ(run.status, 0) << kind;
    EXPECT_NE(run.out.find(R"("getQuorvelId": 2,)"), std::string::npos);
    EXPECT_NE(run.out.find(R"("words": [],)"), std::string::npos);
    EXPECT_NE(run.out.find(R"({"code": -1, "option": null, "argument": null, )"
                           R"("words": [], "outcome": "end", "rule": null, )"
                           R"("conversions": [], "fieldConversions": {}, )"
                           R"("diagnostic": null, )"
                           R"("changes": []})"),
              std::string::npos)
        << run.out;
  }
}

TEST(XeljobTest, ThousandsOfWords) {
  Words options = {"backup"};
  Words unknown = {"--json", "backup"};
  for (int i = 1; i <= 5000; ++i) {
    options.insert(options.end(), {"-j", std::to_string(i), "-rbs"});
    unknown.push_back("-x" + std::to_string(i));
  }
  const ToolRun taken = runTool(options);
  EXPECT_EQ(taken.status, 0);
  EXPECT_TRUE(hasRow(taken.out, "getJobId", "5000"));

  // Far more diagnostics than a pipe holds: all of them reach the report.
  const ToolRun reported = runTool(unknown);
  EXPECT_EQ(reported.status, 1);
  EXPECT_EQ(reported.err, "");
  EXPECT_NE(reported.out.find("\"backup: unrecognized option `-x1'\""),
            std::string::npos);
  EXPECT_NE(reported.out.find("\"backup: unrecognized option `-x5000'\""),
            std::string::npos);
}

// Command lines that give the same record give the same canonical line,
// its words quoted for a shell only where they must be; with --json, the
// words themselves.
TEST(XeljobTest, CanonicalLineOfTheRecord) {
  const struct {
    Words args;
    int status;
    const char* out;
  } cases[] = {
      {{"--canonical", "backup", "-rbs", "-J", "7", "x", "-o", "5", "-o", "6 "},
       1,
       "-j 7 -o '5-o 6 ' -rbs\n"},
      {{"--canonical", "backup", "-j", "7", "-o", "5-o 6 ", "-rbs"},
       0,
       "-j 7 -o '5-o 6 ' -rbs\n"},
      {{"--canonical", "restore", "-cn", "it's", "-rbs", "x", "-a", ":5"},
       1,  // the Quorvel id has no digits
       "-a 0:5 -cn 'it'\\''s' -rbs 1\n"},
      {{"--canonical", "scan"}, 0, "\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    EXPECT_EQ(run.out, c.out);
  }
  const ToolRun json =
      runTool({"--canonical", "--json", "--trace", "scan", "-o", "a b"});
  EXPECT_NE(json.out.find(R"("canonical": ["-o", "a b"],)"), std::string::npos)
      << json.out;
}

TEST(XeljobTest, VocabularyListsTheKindsOwnOptions) {
  const struct {
    const char* kind;
    const XelOptionsParser::Vocabulary& vocabulary;
  } cases[] = {
      {"backup", BackupOptionsParser::vocabulary()},
      {"restore", RestoreOptionsParser::vocabulary()},
      {"scan", ScanOptionsParser::vocabulary()},
  };
  for (const auto& c : cases) {
    const auto* options = c.vocabulary.options;
    const auto names = std::count_if(
        options, options + c.vocabulary.count,
        [](const XelOptionsParser::OptionSpec& o) { return o.name; });
    const ToolRun run = runTool({"--vocabulary", c.kind});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("short options \"" +
                           std::string(c.vocabulary.shortOptions) + "\" and " +
                           std::to_string(names) + " long names"),
              std::string::npos)
        << run.out;
  }
  const ToolRun restore = runTool({"--vocabulary", "restore"});
  EXPECT_TRUE(
      matches(restore.out, R"(\n  -rbs +required_argument +'R' +isRBSJob\n)"))
      << restore.out;
  const ToolRun json = runTool({"--vocabulary", "--json", "restore"});
  EXPECT_NE(json.out.find(R"({"option": "-dctm", "long": true, "kind": )"
                          R"("no_argument", "code": 85, "changes": )"
                          R"(["isRBSJob", "isDctmJob"]}
  ]
}
)"),
            std::string::npos)
      << json.out;
}

// The modes that take the job words from elsewhere, and what each says of
// input it cannot use: one line, naming the file and the line.
TEST(XeljobTest, ModesReadTheirWordsAndNameWhatIsWrong) {
  using namespace std::string_literals;
  const std::string megabyteLine(1 << 20, 'a');
  const struct {
    Words args;
    std::optional<std::string> input;
    int status;
    std::vector<std::string> outParts;
    const char* err;  // the start of standard error
  } cases[] = {
      {{"--cmdline", "-", "backup"},
       "/opt/bin/backup\0-j\0"
       "7\0extra\0"s,
       1,
       {"program: \"/opt/bin/backup\" (not parsed)\nbackup job, 3 words,",
        "left over: 1 word\n  extra\n"},
       ""},
      {{"--json", "--cmdline", "-", "scan"},
       "scan\0-j\0"
       "7"s,  // the last NUL may be missing
       0,
       {"{\n  \"program\": \"scan\",\n  \"job\": \"scan\",",
        "\"getJobId\": 7,"},
       ""},
      {{"--cmdline", "-", "backup"},
       "",
       2,
       {},
       "xeljob: standard input: empty"},
      {{"--cmdline", "/proc/self/mem", "backup"},
       {},
       2,
       {},
       "xeljob: cannot read \"/proc/self/mem\": Input/output error\n"},
      {{"--pid", "99999999", "backup"},
       {},
       2,
       {},
       "xeljob: no process 99999999 (it has exited, or never was)\n"},
      {{"--diff", "backup", "-j 7 -cn 'a b' -foo", R"(-J 8 -cn "a b" x)"},
       {},
       1,
       {"backup job lines: 1 accessor differs\ngetJobId\n"
        "  line 1: 7  set by -j 7\n  line 2: 8  set by -J 8\n"
        "words not taken\n  line 1: -foo  (error: unknown option)\n"
        "  line 2: x  (left over)\nvalues not taken as written: none\n"},
       ""},
      {{"--diff", "--json", "restore", "-a 5 -j 1", "-j1"},
       {},
       0,
       {"\"same\": true,\n  \"differences\": [],",
        R"("otherConversions": [{"words": ["-a", "5"], "conversions": ["no_colon"]}])"},
       ""},
      {{"--diff", "backup", "-j 1", "-cn \"x"},
       {},
       2,
       {},
       "xeljob: line 2: no closing \" for the quote at column 5\n"},
      {{"--lines", "-", "backup"},
       "-j 7 -cn 'c 1'\n-j 8 -foo x\n-j 'x\n-cn \xff\na\0b\n"s + megabyteLine +
           "\n-a 5\n-foo",
       1,
       {R"({"line": 1, "job": "backup", "posix": false, "words": ["-j", "7", "-cn", "c 1"], "record": {"getJobId": 7, )",
        R"({"line": 3, "error": "(standard input):3: no closing ' for the quote at column 4", "text": "-j 'x"})",
        R"({"line": 4, "warning": "(standard input):4: not UTF-8 from column 5; its bytes are kept as they are", "job": "backup", "posix": false, "words": ["-cn", "\udcff"], )",
        R"({"line": 5, "error": "(standard input):5: a NUL byte at column 2, which no job word can hold", "text": "a\u0000b"})",
        R"({"line": 6, "error": "(standard input):6: a line of 1048576 bytes, more than the 65536 a job line may have"})",
        R"({"line": 8, "job": "backup", )"},
       "lines read            8\nclean                 2\n"
       "not taken as written  1\n"
       "with errors           5  (3 not split into words)\n"
       "with words left over  1\nnot UTF-8             1  (parsed, their "
       "bytes kept)\nmost frequent unknown options:\n  -foo  2\n"
       "most frequent conversions:\n  -a no_colon  1\n"},
      {{"--lines", "-", "--trace", "scan"},
       "-j 1\n",
       0,
       {R"("trace": [{"code": 106, )",
        "\"clean\": true, \"takenAsWritten\": true}\n"},
       "lines read            1\nclean                 1\n"},
      {{"--keyed", "--lines", "-", "scan"},
       "k 1\t-j 1\nno tab\n",
       1,
       {R"({"line": 1, "key": "k 1", "job": "scan", )",
        R"x({"line": 2, "key": null, "error": "(standard input):2: no tab after a key (a line is KEY<TAB>WORDS)", "text": "no tab"})x"},
       "lines read            2\n"},
      {{"--lines", "no-such-file", "backup"},
       {},
       2,
       {},
       "xeljob: cannot open \"no-such-file\": No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = runTool(c.args, {}, {}, c.input);
    EXPECT_EQ(run.status, c.status) << c.args.front() << '\n' << run.err;
    for (const std::string& part : c.outParts) {
      EXPECT_NE(run.out.find(part), std::string::npos) << part << " in\n"
                                                       << run.out;
    }
    EXPECT_EQ(run.err.rfind(c.err, 0), 0U) << run.err;
    if (c.status == 2) {
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
  }
}

// Blank lines, comments and a CR before the line end change no record; the
// summary counts the lines skipped.
TEST(XeljobTest, LinesSkipBlankLinesCommentsAndCarriageReturns) {
  const Words args = {"--lines", "-", "scan"};
  const ToolRun plain = runTool(args, {}, {}, "-cn '#x' a#b\n-j 8 x\n");
  const ToolRun noisy =
      runTool(args, {}, {}, "-cn '#x' a#b #c d\r\n-j 8 x\r\n\n  # c\r\n\t\n");
  EXPECT_NE(plain.out.find(R"("words": ["-cn", "#x", "a#b"])"),
            std::string::npos)
      << plain.out;
  EXPECT_EQ(noisy.out, plain.out);
  EXPECT_EQ(noisy.err,
            "lines read            5\nskipped               3  (blank or "
            "comment only)\n" +
                plain.err.substr(plain.err.find('\n') + 1));
}

// Starts a job that writes a line once its vector is in place, then waits
// for the end of `input`, the write end of its standard input.
void startJob(const char* const* argv, const char* const* environment,
              pid_t& job, int& input) {
  int inputPipe[2];
  int ready[2];
  ASSERT_EQ(pipe2(inputPipe, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(ready, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
  ASSERT_EQ(
      posix_spawn(&job, argv[0], &actions, nullptr, const_cast<char**>(argv),
                  const_cast<char**>(environment)),
      0);
  posix_spawn_file_actions_destroy(&actions);
  close(inputPipe[0]);
  close(ready[1]);
  input = inputPipe[1];
  char line;
  ASSERT_EQ(read(ready[0], &line, 1), 1);
  close(ready[0]);
}

// A running job's own words, and POSIXLY_CORRECT as the job saw it, whatever
// --posix says (and saying so where they differ): set, the first stray word
// ends its options, -j 7 among them. A variable that only looks like it is
// not it, and an empty environment, are not it. A job that set its title over
// its whole argument area, where the kernel reads on into its environment,
// shows its title up to the area's end; one that wrote over its environment
// leaves --posix to decide.
TEST(XeljobTest, PidReadsTheRunningJobAndItsEnvironment) {
  const char* shell[] = {"/bin/sh", "-c", "echo; read x", "stray",
                         "-j",      "7",  nullptr};
  const char* title[] = {TITLE_JOB_PATH, "stray", "-j", "7", nullptr};
  const char* blank[] = {TITLE_JOB_PATH, "blank", "-j", "7", nullptr};
  const struct {
    const char* const* argv;
    const char* program;
    int status;
    const char* posix;
    const char* jobId;
    std::vector<const char*> environment;
  } cases[] = {
      {shell,
       "/bin/sh",
       1,
       "set",
       "0",
       {"POSIXLY_CORRECT=", "SECRET=s3cr3t", nullptr}},
      {shell,
       "/bin/sh",
       1,
       "not set",
       "7",
       {"X=POSIXLY_CORRECT=1", "POSIXLY_CORRECTLY=1", "SECRET=s3cr3t",
        nullptr}},
      {shell, "/bin/sh", 1, "not set", "7", {nullptr}},
      {title,
       TITLE_JOB_PATH " stray -j 7 ",
       0,
       "not set",
       "0",
       {"SECRET_TOKEN=tok-s3cr3t", nullptr}},
      {blank,
       TITLE_JOB_PATH,
       1,
       "its environment cannot be read (it holds no NAME=VALUE entry, as when "
       "a title was written over it): taken as set, as --posix is given",
       "0",
       {"POSIXLY_CORRECT=", "SECRET=s3cr3t", nullptr}},
  };
  for (const auto& c : cases) {
    pid_t job = 0;
    int input = -1;
    ASSERT_NO_FATAL_FAILURE(startJob(c.argv, c.environment.data(), job, input));
    const ToolRun table =
        runTool({"--posix", "--pid", std::to_string(job), "scan"});
    const ToolRun json =
        runTool({"--json", "--pid", std::to_string(job), "scan"});
    std::string all = table.out + table.err + json.out + json.err;
    for (const char* mode : {"--trace", "--canonical"}) {
      const ToolRun run = runTool({mode, "--pid", std::to_string(job), "scan"});
      all += run.out + run.err;
    }
    close(input);  // the job reads the end of its input and exits
    waitpid(job, nullptr, 0);

    EXPECT_EQ(table.status, c.status) << table.err;
    const bool read = std::strchr(c.posix, '(') == nullptr;
    EXPECT_EQ(table.err, std::string(c.posix) != "not set"
                             ? ""
                             : "xeljob: process " + std::to_string(job) +
                                   ": --posix is overridden: POSIXLY_CORRECT "
                                   "is not set in the environment it was "
                                   "started with\n");
    EXPECT_NE(table.out.find(
                  std::string(", program: \"") + c.program +
                  "\" (not parsed)\nPOSIXLY_CORRECT: " + c.posix +
                  (read ? " in the environment it was started with\n" : "\n")),
              std::string::npos)
        << table.out;
    EXPECT_TRUE(hasRow(table.out, "getJobId", c.jobId)) << table.out;
    EXPECT_NE(
        json.out.find(std::string("\"program\": \"") + c.program +
                      "\",\n  \"posixFrom\": \"" +
                      (read ? "environment\",\n  \"environmentError\": null,"
                            : "option\",")),
        std::string::npos)
        << json.out;
    EXPECT_EQ(all.find("s3cr3t"), std::string::npos) << all;
  }
}

// Sets CAP_SYS_PTRACE in effect, or not: with it, root reads the bounds of
// every job's argument area; without it, no one reads a non-dumpable job's.
void setTracing(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2];
  syscall(SYS_capget, &header, data);
  data[0].effective =
      on ? data[0].permitted : data[0].effective & ~(1U << CAP_SYS_PTRACE);
  syscall(SYS_capset, &header, data);
}

// Ends the job at a point of the read, and leaves it a zombie.
template <xeljob::ReadPoint kPoint>
void exitAt(long pid, xeljob::ReadPoint point) {
  if (point == kPoint && kill(static_cast<pid_t>(pid), SIGKILL) == 0) {
    siginfo_t info;
    waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
  }
}

// Words not read whole, or not of a live job, are not shown: a job that
// exits during the read of its words (longer than one read) or of its
// environment reads as empty; a non-dumpable job hides the bounds of its
// argument area, where its title runs on into its environment.
TEST(XeljobTest, PidJobNotReadWholeIsRefused) {
  const std::string name(70000, 'n');
  const char* shell[] = {"/bin/sh", "-c",   "echo; read x", "-j",
                         "7",       "-cn",  name.c_str(),   "-j",
                         "9",       nullptr};
  const char* title[] = {TITLE_JOB_PATH, "private", "-j", "7", nullptr};
  const char* environment[] = {"SECRET=s3cr3t", nullptr};
  for (const xeljob::ReadSeam seam :
       {&exitAt<xeljob::ReadPoint::betweenCommandLineReads>,
        &exitAt<xeljob::ReadPoint::beforeEnvironmentRead>,
        xeljob::ReadSeam{}}) {
    pid_t job = 0;
    int input = -1;
    ASSERT_NO_FATAL_FAILURE(
        startJob(seam != nullptr ? shell : title, environment, job, input));
    setTracing(seam != nullptr);
    std::string error;
    try {
      xeljob::readProcessJob(job, seam);
    } catch (const std::runtime_error& e) {
      error = e.what();
    }
    setTracing(true);
    close(input);
    kill(job, SIGKILL);
    waitpid(job, nullptr, 0);
    const std::string id = std::to_string(job);
    EXPECT_EQ(error,
              "process " + id +
                  (seam != nullptr
                       ? " exited while it was read; its words are not shown"
                       : ": /proc/" + id +
                             "/stat hides the bounds of its argument area "
                             "(another user's job, or one that made itself "
                             "non-dumpable), so its words cannot be told "
                             "apart from its environment; read a copy of its "
                             "words with --cmdline, or run xeljob as a user "
                             "allowed to trace the job"));
  }
}

// A job that starts another program during the read: its words were cut by
// the argument area of the one before, so none are shown.
int execInput = -1;
TEST(XeljobTest, PidJobThatStartsAnotherProgramDuringTheReadIsRefused) {
  const char* argv[] = {"/bin/sh", "-c", "echo; read x; exec sleep 9", nullptr};
  const char* environment[] = {nullptr};
  pid_t job = 0;
  ASSERT_NO_FATAL_FAILURE(startJob(argv, environment, job, execInput));
  EXPECT_THROW(xeljob::readProcessJob(
                   job,
                   [](long pid, xeljob::ReadPoint) {
                     EXPECT_EQ(write(execInput, "\n", 1), 1);
                     const std::string path =
                         "/proc/" + std::to_string(pid) + "/cmdline";
                     std::string words;
                     for (int i = 0; i < 100000 && words.rfind("sleep", 0) != 0;
                          ++i) {
                       std::ifstream in(path);
                       std::getline(in, words);
                     }
                   }),
               std::runtime_error);
  kill(job, SIGKILL);
  waitpid(job, nullptr, 0);
  close(execInput);
}

// As a POSIX shell splits words, with nothing expanded or run; the
// canonical line splits back into its own words.
TEST(XeljobTest, JobLinesSplitAsAShellQuotesAndNothingMore) {
  const Words nasty = {"it's", "a b",    "",  "\\", "\"", "$(x)",  "`x`",
                       "\n",   "\xff\t", "*", "~",  "-o", "5-o 6 "};
  std::string canonical;
  for (const std::string& word : nasty) {
    canonical += (canonical.empty() ? "" : " ") + xeljob::shellWord(word);
  }
  const struct {
    std::string line;
    Words words;
    const char* error;
  } cases[] = {
      {" a  b\tc\n", {"a", "b", "c"}, ""},
      {R"('it'\''s' '' "" a\ b\\)", {"it's", "", "", "a b\\"}, ""},
      {R"x("\"\\\$\`\q" 'x\' "a\)")x", {"\"\\$`\\q", "x\\", "a\\)"}, ""},
      {"\"a\\\nb\" c\\\nd", {"ab", "cd"}, ""},
      {"$(touch x) `touch x` $HOME ~ *",
       {"$(touch", "x)", "`touch", "x`", "$HOME", "~", "*"},
       ""},
      {canonical, nasty, ""},
      {"a 'b", {}, "no closing ' for the quote at column 3"},
      {"\"a\\\"", {}, "no closing \" for the quote at column 1"},
      {"a\\", {}, "a backslash ends the line, escaping nothing"},
  };
  for (const auto& c : cases) {
    const xeljob::ShellWords split = xeljob::splitShellWords(c.line);
    EXPECT_EQ(split.words, c.words) << c.line;
    EXPECT_EQ(split.error, c.error) << c.line;
  }

  char directory[] = "/tmp/xeljob-test-XXXXXX";
  ASSERT_NE(mkdtemp(directory), nullptr);
  const std::string touched = std::string(directory) + "/touched";
  const std::string line = "-j 1 $(touch " + touched + ") `touch " + touched +
                           "` \"$(touch " + touched + ")\"";
  const ToolRun diff = runTool({"--diff", "--json", "backup", line, line});
  const ToolRun lines =
      runTool({"--lines", "-", "backup"}, {}, {}, line + '\n');
  EXPECT_EQ(diff.status, 0) << diff.err;
  EXPECT_EQ(lines.status, 1) << lines.err;
  const std::string leftover = "\"leftover\": [\"$(touch\", \"" + touched +
                               ")\", \"`touch\", \"" + touched +
                               "`\", \"$(touch " + touched + ")\"]";
  for (const ToolRun* run : {&diff, &lines}) {
    EXPECT_NE(run->out.find(leftover), std::string::npos) << run->out;
  }
  EXPECT_NE(access(touched.c_str(), F_OK), 0) << "a line was run";
  rmdir(directory);
}

// Past as many different texts as it keeps, the least counted gives way and
// its count goes on with the new text.
TEST(XeljobTest, FrequentTextsStayBoundedAndKeepTheFrequentOnes) {
  xeljob::FrequentTexts texts(2);
  for (const char* text : {"a", "a", "a", "b", "c", "c"}) {
    texts.add(text);
  }
  using Counts = std::vector<std::pair<std::string, std::uint64_t>>;
  EXPECT_EQ(texts.mostFrequent(5), (Counts{{"a", 3}, {"c", 3}}));
  EXPECT_FALSE(texts.exact());
}

}  // namespace
