// SPDX-License-Identifier: MIT
// Helpers for the job parser tests: a whole record read through every
// accessor, and table rows that parse a command line and compare records.
#ifndef XELOPTS_TESTS_PARSER_SUPPORT_H
#define XELOPTS_TESTS_PARSER_SUPPORT_H

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "BackupOptionsParser.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "test_support.h"

namespace parser_test {

// "prog" followed by the words.
inline test_support::Args commandLine(const std::vector<std::string>& words) {
  std::vector<std::string> all{"prog"};
  all.insert(all.end(), words.begin(), words.end());
  return test_support::Args(std::move(all));
}

// Everything a parser shows, keyed by accessor name.
using Record = std::map<std::string, std::string>;

// A field's value as text: numbers in decimal, flags as true or false.
inline std::string valueText(const XelOptionsParser::FieldValue& value) {
  return std::visit(
      [](auto held) -> std::string {
        if constexpr (std::is_same_v<decltype(held), std::string_view>) {
          return std::string(held);
        } else if constexpr (std::is_same_v<decltype(held), bool>) {
          return held ? "true" : "false";
        } else {
          return std::to_string(held);
        }
      },
      value);
}

// Every field of the parser's record, its value as text.
template <typename Parser>
Record readRecord(const Parser& parser) {
  Record record;
  const XelOptionsParser::FieldTable& fields = Parser::fields();
  for (int i = 0; i < fields.count; ++i) {
    record[fields[i].accessor] = valueText(parser.fieldValue(i));
  }
  return record;
}

// The record of a command line with the program name alone: each field's
// default, as the kind publishes it.
template <typename Parser>
Record defaultRecord() {
  Record record;
  for (const XelOptionsParser::FieldSpec& field : Parser::fields()) {
    record[field.accessor] = valueText(field.initial);
  }
  return record;
}

// The default record with some accessors changed; a misspelt accessor
// throws.
template <typename Parser>
Record defaultsWith(const Record& changes) {
  Record record = defaultRecord<Parser>();
  for (const auto& [accessor, value] : changes) {
    record.at(accessor) = value;
  }
  return record;
}

// One parse: the words after "prog", the accessors that change from their
// defaults, the diagnostics expected on stderr and, when given, the vector
// as the scan leaves it and the canonical line of the record.
struct ParseCase {
  ParseCase(std::vector<std::string> w, Record c, std::string d = "",
            std::string after = "", std::string line = "")
      : words(std::move(w)),
        changes(std::move(c)),
        diagnostics(std::move(d)),
        vectorAfter(std::move(after)),
        canonical(std::move(line)) {}

  std::vector<std::string> words;
  Record changes;
  std::string diagnostics;
  std::string vectorAfter;
  std::string canonical;
};

// The words of a case, quoted, for failure messages.
inline std::string quoted(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "'" : " '") + word + "'";
  }
  return text;
}

// The settings write a command line that parses, cleanly, into the same
// settings and record, which write the same words again; returns the line,
// its words quoted.
template <typename Parser>
std::string expectWrittenLineReadsBack(
    const typename Parser::Settings& settings, const Record& record) {
  const XelOptionsParser::CommandLine line = Parser::commandLine(settings);
  EXPECT_TRUE(line.isWritten()) << line.field;
  SCOPED_TRACE(quoted(line.words));
  test_support::Args args = commandLine(line.words);
  XelOptionsParser::ParseReport report;
  Parser again(args.argc(), args.argv(), report);
  EXPECT_EQ(again.settings(), settings);
  EXPECT_EQ(readRecord(again), record);
  EXPECT_TRUE(report.isClean());
  EXPECT_EQ(Parser::commandLine(again.settings()).words, line.words);
  return quoted(line.words);
}

template <typename Parser>
void expectParse(const ParseCase& c) {
  SCOPED_TRACE(quoted(c.words));
  test_support::Args args = commandLine(c.words);
  Record record;
  typename Parser::Settings settings;
  const test_support::Output output = test_support::capture([&] {
    Parser parser(args.argc(), args.argv());
    record = readRecord(parser);
    settings = parser.settings();
  });
  const std::string canonical =
      expectWrittenLineReadsBack<Parser>(settings, record);
  if (!c.canonical.empty()) {
    EXPECT_EQ(canonical, c.canonical);
  }
  EXPECT_EQ(record, defaultsWith<Parser>(c.changes));
  EXPECT_EQ(output.err, c.diagnostics);
  if (!c.vectorAfter.empty()) {
    EXPECT_EQ(args.joined(), c.vectorAfter);
  }

  // With a report: the same record and vector, the lines standard error
  // got, and nothing written.
  test_support::Args again = commandLine(c.words);
  XelOptionsParser::ParseReport report;
  const test_support::Output quiet = test_support::capture([&] {
    Parser parser(again.argc(), again.argv(), report);
    EXPECT_EQ(readRecord(parser), record);
  });
  std::string lines;
  for (const std::string& line : report.diagnostics) {
    lines += line + '\n';
  }
  EXPECT_EQ(lines, output.err);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(again.joined(), args.joined());
}

template <typename Parser>
void expectParses(const std::vector<ParseCase>& cases) {
  for (const ParseCase& c : cases) {
    expectParse<Parser>(c);
  }
}

}  // namespace parser_test

#endif  // XELOPTS_TESTS_PARSER_SUPPORT_H
