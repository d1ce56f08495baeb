// SPDX-License-Identifier: MIT
// The accessor tables of README.md and xelopts(3) say what each kind's
// declaration says: the kinds, options, type and default of every accessor.
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "JobRecords.h"

namespace {

// "kinds; options; type, default", as both tables give them.
using Facts = std::map<std::string, std::string>;

template <class Parser>
void collect(const char* kind, Facts& facts, std::vector<std::string>& order) {
  char program[] = "prog";
  char* argv[] = {program, nullptr};
  XelOptionsParser::ParseReport quiet;
  Parser parser(1, argv, quiet);
  static const char* const kTypes[] = {"std::string", "std::int64_t",
                                       "std::uint64_t", "bool"};
  const XelOptionsParser::Vocabulary& vocabulary = Parser::vocabulary();
  for (const job_records::Field& field : job_records::readRecord(parser)) {
    std::string options;
    for (int i = 0; i < vocabulary.count; ++i) {
      const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
      for (const auto* change = option.changes; change->accessor; ++change) {
        if (std::string(change->accessor) == field.accessor) {
          options += (options.empty() ? "-" : ", -") +
                     (option.name ? option.name : std::string(1, option.code));
        }
      }
    }
    std::string initial = job_records::valueText(field.value);
    if (std::holds_alternative<std::string>(field.value)) {
      initial = '"' + initial + '"';
    }
    const std::string rest = "; " + options + "; " +
                             kTypes[field.value.index()] + ", default " +
                             initial;
    std::string& known = facts[field.accessor];
    if (known.empty()) {
      order.push_back(field.accessor);
      known = kind + rest;
    } else {
      known.insert(known.find(';'), std::string(", ") + kind);
    }
  }
}

std::string fileText(const char* path) {
  std::ifstream in(std::string(XELOPTS_SOURCE_DIR) + '/' + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string without(std::string text, const std::string& what) {
  for (auto at = text.find(what); at != std::string::npos;
       at = text.find(what, at)) {
    text.erase(at, what.size());
  }
  return text;
}

TEST(AccessorTables, SayWhatTheDeclarationsSay) {
  Facts facts;
  std::vector<std::string> order;
  collect<BackupOptionsParser>("backup", facts, order);
  collect<RestoreOptionsParser>("restore", facts, order);
  collect<ScanOptionsParser>("scan", facts, order);

  // README: | `accessor` | kinds | options | type | default | meaning |
  std::istringstream readme(fileText("README.md"));
  std::vector<std::string> rows;
  for (std::string line; std::getline(readme, line);) {
    std::vector<std::string> cells;
    std::istringstream row(without(line, "`"));
    for (std::string cell; std::getline(row, cell, '|');) {
      const auto first = cell.find_first_not_of(' ');
      cells.push_back(
          first == std::string::npos
              ? ""
              : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    }
    if (cells.size() == 7 && facts.count(cells[1]) != 0) {
      rows.push_back(cells[1]);
      EXPECT_EQ(cells[2] + "; " + cells[3] + "; " + cells[4] + ", default " +
                    cells[5],
                facts[cells[1]])
          << cells[1];
    }
  }
  EXPECT_EQ(rows, order);

  // xelopts(3): .B \%accessor, then "kinds; options; type, default D: ...".
  std::string page = without(fileText("docs/xelopts.3"), "\\");
  page = page.substr(page.find(".SS What each accessor holds"));
  page.resize(page.find("\n.SS ", 1));
  rows.clear();
  for (auto at = page.find("\n.B %"); at != std::string::npos;
       at = page.find("\n.B %", at + 1)) {
    const auto end = page.find('\n', at + 1);
    const std::string accessor = page.substr(at + 5, end - at - 5);
    if (facts.count(accessor) != 0) {
      rows.push_back(accessor);
      EXPECT_EQ(page.substr(end + 1, facts[accessor].size() + 1),
                facts[accessor] + ":");
    }
  }
  EXPECT_EQ(rows, order);
}

}  // namespace
