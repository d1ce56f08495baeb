// SPDX-License-Identifier: MIT
// The scan's outcome as data: diagnostics through a sink, byte for byte what
// standard error gets, and what each call consumed, placed where the scan
// leaves it, in every ordering mode.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "XelGetOpt.h"
#include "scanner_trace.h"
#include "test_support.h"

namespace {

using test_support::Args;
using test_support::EnvGuard;

struct Lines {
  std::vector<std::string> lines;
  static void collect(void* self, const char* line, std::size_t length) {
    EXPECT_EQ(line[length], '\0');
    static_cast<Lines*>(self)->lines.emplace_back(line, length);
  }
  std::string asStream() const {
    std::string text;
    for (const std::string& line : lines) {
      text += line + '\n';
    }
    return text;
  }
};

const XelGetOpt::option kTable[] = {
    {"k=1", XelGetOpt::required_argument, nullptr, 'k'},
    {"k=1", XelGetOpt::required_argument, nullptr, 'K'},
    {"m=1", XelGetOpt::no_argument, nullptr, 'm'},
    {"cn", XelGetOpt::required_argument, nullptr, 'c'},
    {nullptr, XelGetOpt::no_argument, nullptr, 0}};

// Every diagnostic, a text with a line end inside one among them, and the
// error() of each call, written or silenced.
TEST(ScannerSink, GetsWhatStandardErrorWould) {
  using Next = std::function<int(XelGetOpt&, Args&)>;
  const Next longOnly = [](XelGetOpt& s, Args& a) {
    return s.getopt_long_only(a.argc(), a.argv(), "x", kTable, nullptr);
  };
  const Next shortOnly = [](XelGetOpt& s, Args& a) {
    return s.getopt(a.argc(), a.argv(), "o:");
  };
  const struct {
    std::vector<std::string> words;
    Next next;
    std::size_t lines;
    const char* errors;  // XelGetOpt::error_kind of each call
  } cases[] = {
      {{"prog", "--k=1", "-k=1", "--m=1", "-m=1", "--frob", "-frob", "--a\nb",
        "--cn"},
       longOnly,
       8,
       "224411130"},
      {{"prog", "-q", "-o"}, shortOnly, 2, "530"},
  };
  for (const auto& c : cases) {
    // The codes of a whole scan, and what it wrote on standard error.
    const auto scan = [&c](XelGetOpt& scanner, Args& args, std::string& err) {
      std::string codes;
      std::string errors;
      err = test_support::capture([&] {
              for (int code = 0; code != -1;) {
                code = c.next(scanner, args);
                codes += test_support::code_text(code);
                errors += std::to_string(scanner.error());
              }
            }).err;
      EXPECT_EQ(errors, c.errors);
      return codes;
    };
    Args plain(c.words);
    XelGetOpt toStream;
    std::string err;
    const std::string codes = scan(toStream, plain, err);

    Args sunk(c.words);
    Lines lines;
    XelGetOpt original;
    original.set_diagnostic_sink(&Lines::collect, &lines);
    XelGetOpt toSink(original);  // copies carry the sink
    std::string sunkErr;
    EXPECT_EQ(scan(toSink, sunk, sunkErr), codes);
    EXPECT_EQ(sunkErr, "");
    EXPECT_EQ(lines.lines.size(), c.lines);
    EXPECT_EQ(lines.asStream(), err);

    Args silenced(c.words);
    Lines none;
    XelGetOpt quiet;
    quiet.set_diagnostic_sink(&Lines::collect, &none);
    quiet.opterr = 0;
    std::string ignored;
    EXPECT_EQ(scan(quiet, silenced, ignored), codes);
    EXPECT_TRUE(none.lines.empty());
  }
}

// Lines around the length the scanner keeps on its stack, byte for byte.
TEST(ScannerSink, LongLinesWhole) {
  for (std::size_t length : {254U, 255U, 256U, 257U, 4000U}) {
    const std::string program(length - 21, 'p');  // ": illegal option -- q"
    Args args({program, "-q"});
    Lines lines;
    XelGetOpt scanner(args.argc(), args.argv(), "x");
    scanner.set_diagnostic_sink(&Lines::collect, &lines);
    EXPECT_EQ(scanner(), '?');
    EXPECT_EQ(lines.asStream(), program + ": illegal option -- q\n");
  }
}

std::string join(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

struct ConsumedCase {
  const char* optstring;
  const char* line;  // "NULL" stands for a null element
  bool posixlyCorrect;
  const char* steps;  // code[words]@position per call
  const char* after;
  char callerTakesWordAfter = 0;  // its first time, the caller does ++optind
  bool sinkThrows = false;
};

// One row per ordering mode and per way a call consumes: permuted options,
// an option's value, a terminator, "-", a resumed cluster, a long name in a
// cluster, a missing value, a null element.
TEST(ScannerConsumed, PlacesEachCallsWordsWhereTheScanLeavesThem) {
  const ConsumedCase cases[] = {
      {"xo:", "prog a -x b -o v c", false, "x[-x]@1 o[-o v]@2 -1[]@4",
       "prog -x -o v a b c"},
      {"x", "prog a -x -- -y b", false, "x[-x]@1 -1[--]@2",
       "prog -x -- a -y b"},
      {"x", "prog - -x", false, "x[-x]@1 -1[]@2", "prog -x -"},
      {"xo:", "prog -xo v", false, "x[-xo]@1 o[-xo v]@1 -1[]@3", "prog -xo v"},
      {"x", "prog -xqx", false, "x[-xqx]@1 ?[-xqx]@1 x[-xqx]@1 -1[]@2",
       "prog -xqx"},
      {"xo:", "prog a -o", false, "?[-o]@1 -1[]@2", "prog -o a"},
      {"x", "prog -x a -x", true, "x[-x]@1 -1[]@2", "prog -x a -x"},
      {"+x", "prog -x -- a", false, "x[-x]@1 -1[--]@2", "prog -x -- a"},
      {"-x", "prog a -x b", false, "1[a]@1 x[-x]@2 1[b]@3 -1[]@4",
       "prog a -x b"},
      {"x", "prog s -cn h -xcn h2", false,
       "c[-cn h]@1 x[-xcn]@3 c[-xcn h2]@3 -1[]@5", "prog -cn h -xcn h2 s"},
      {"x", "prog a -x NULL -x", false, "x[-x]@1 -1[]@2", "prog -x a"},
      // A word the caller takes stays among the options.
      {"x", "prog -x skip -x", false, "x[-x]@1 x[-x]@3 -1[]@4",
       "prog -x skip -x", 'x'},
      {"+x", "prog -x skip -x", false, "x[-x]@1 x[-x]@3 -1[]@4",
       "prog -x skip -x", 'x'},
      {"-x", "prog -x skip -x", false, "x[-x]@1 x[-x]@3 -1[]@4",
       "prog -x skip -x", 'x'},
      {"xy", "prog a -x skip -y", false, "x[-x]@1 y[-y]@3 -1[]@4",
       "prog -x skip -y a", 'x'},
      // A sink that throws leaves the call's work done and noted.
      {"x", "prog -qx", false, "?[-qx]@1 x[-qx]@1 -1[]@2", "prog -qx", 0, true},
  };
  for (const ConsumedCase& c : cases) {
    SCOPED_TRACE(c.line);
    EnvGuard posix("POSIXLY_CORRECT", c.posixlyCorrect
                                          ? std::optional<const char*>("")
                                          : std::nullopt);
    Args args = Args::of(c.line);
    int argc = args.argc();
    for (int i = 0; i < args.argc(); ++i) {
      if (std::string(args.argv()[i]) == "NULL") {
        args.argv()[i] = nullptr;
        argc = i;
      }
    }
    XelGetOpt scanner(args.argc(), args.argv(), c.optstring);
    if (std::string(c.line).find("cn") != std::string::npos) {
      scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
    }
    struct Step {
      std::vector<std::string> words;
      int position;
    };
    std::vector<Step> steps;
    std::string shown;
    if (c.sinkThrows) {
      scanner.set_diagnostic_sink(
          [](void*, const char*, std::size_t) { throw 0; }, nullptr);
    }
    test_support::capture([&] {
      for (int code = 0; code != -1;) {
        try {
          code = scanner();
        } catch (int) {
          code = '?';
        }
        if (code == c.callerTakesWordAfter && steps.empty()) {
          ++scanner.optind;
        }
        const XelGetOpt::consumed_words consumed = scanner.consumed();
        Step step{{}, consumed.position};
        for (int i = 0; i < consumed.count; ++i) {
          step.words.emplace_back(args.argv()[consumed.first + i]);
        }
        shown += (shown.empty() ? "" : " ") + test_support::code_text(code) +
                 "[" + join(step.words) + "]@" + std::to_string(step.position);
        steps.push_back(step);
      }
    });
    EXPECT_EQ(shown, c.steps);
    std::vector<std::string> after(args.argv(), args.argv() + argc);
    EXPECT_EQ(join(after), c.after);
    for (const Step& step : steps) {
      for (std::size_t i = 0; i < step.words.size(); ++i) {
        EXPECT_EQ(after.at(static_cast<std::size_t>(step.position) + i),
                  step.words[i]);
      }
    }
  }
}

}  // namespace
