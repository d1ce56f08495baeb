// SPDX-License-Identifier: MIT
// The field tables of docs/fields.md and xelopts(3), and xelopts(3)'s list
// of options, are written from each kind's fields() and vocabulary(): this
// test writes them again and fails when the committed copy differs.
// XELOPTS_UPDATE_DOCS=1 makes it write the committed copy.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "parser_support.h"

namespace {

// One row of the docs: a field as one or more kinds have it.
struct Row {
  std::string kinds, accessor, member, options, type, initial, meaning;
};

template <class Parser>
void addRows(const char* kind, std::vector<Row>& rows) {
  static const char* const kTypes[] = {"std::string", "std::int64_t",
                                       "std::uint64_t", "bool"};
  const XelOptionsParser::Vocabulary& vocabulary = Parser::vocabulary();
  for (const XelOptionsParser::FieldSpec& field : Parser::fields()) {
    Row row{kind,
            field.accessor,
            field.member,
            "",
            kTypes[static_cast<int>(field.type)],
            parser_test::valueText(field.initial),
            field.meaning};
    if (field.type == XelOptionsParser::FieldType::text) {
      row.initial = '"' + row.initial + '"';
    }
    for (int i = 0; i < field.optionCount; ++i) {
      const XelOptionsParser::OptionSpec& option =
          vocabulary.options[field.options[i]];
      row.options += (i == 0 ? "-" : ", -") +
                     (option.name ? option.name : std::string(1, option.code));
    }
    bool merged = false;
    for (Row& known : rows) {
      if (known.accessor == row.accessor && known.member == row.member &&
          known.options == row.options && known.initial == row.initial &&
          known.meaning == row.meaning) {
        known.kinds += std::string(", ") + kind;
        merged = true;
      }
    }
    if (!merged) {
      rows.push_back(row);
    }
  }
}

std::string markdown(const std::vector<Row>& rows) {
  std::string text =
      "| accessor | `Settings` member | kinds | options | type | default | "
      "meaning |\n|---|---|---|---|---|---|---|\n";
  for (const Row& r : rows) {
    text += "| `" + r.accessor + "` | `" + r.member + "` | " + r.kinds +
            " | `" + r.options + "` | `" + r.type + "` | " + r.initial + " | " +
            r.meaning + " |\n";
  }
  return text;
}

// For roff: every '-' and '\' escaped.
std::string roff(const std::string& text) {
  std::string out;
  for (const char c : text) {
    out += c == '-' ? "\\-" : c == '\\' ? "\\\\" : std::string(1, c);
  }
  return out;
}

std::string manual(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& r : rows) {
    text += ".TP\n.B \\%" + r.accessor + "\n" +
            roff(r.kinds + "; member " + r.member + "; " + r.options + "; " +
                 r.type + ", default " + r.initial + ": " + r.meaning) +
            ".\n";
  }
  return text;
}

// Options of one kind that take the same value and change the same
// accessors (-j and -J), with the kinds that have them so: B, R, S.
struct OptionEntry {
  std::vector<std::string> spellings;
  std::string value;  // empty when the options take none
  std::vector<std::string> accessors;
  std::string kinds;

  bool actsAs(const OptionEntry& other) const {
    return value == other.value && accessors == other.accessors;
  }
};

// What an option takes, as the fields it changes read it: N for a number,
// TEXT for a text, both parts of -a's Q:A; VALUE when it reads none.
template <class Parser>
std::string valueOf(const XelOptionsParser::OptionSpec& option) {
  if (option.kind != XelGetOpt::required_argument) {
    return "";
  }
  std::string value;
  for (const auto* change = option.changes; change->accessor; ++change) {
    const XelOptionsParser::FieldType type =
        Parser::fields()[change->field].type;
    if (type != XelOptionsParser::FieldType::flag) {
      value += value.empty() ? "" : ":";
      value += type == XelOptionsParser::FieldType::text ? "TEXT" : "N";
    }
  }
  return value.empty() ? "VALUE" : value;
}

template <class Parser>
void addOptions(char kind, std::vector<OptionEntry>& entries) {
  const XelOptionsParser::Vocabulary& vocabulary = Parser::vocabulary();
  std::vector<OptionEntry> own;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    OptionEntry entry{
        {'-' + (option.name ? option.name : std::string(1, option.code))},
        valueOf<Parser>(option),
        {},
        std::string(1, kind)};
    for (const auto* change = option.changes; change->accessor; ++change) {
      entry.accessors.push_back(change->accessor);
    }
    const auto alias = std::find_if(own.begin(), own.end(), [&](auto& known) {
      return known.actsAs(entry);
    });
    if (alias != own.end()) {
      alias->spellings.push_back(entry.spellings.front());
    } else {
      own.push_back(entry);
    }
  }
  for (const OptionEntry& entry : own) {
    const auto same =
        std::find_if(entries.begin(), entries.end(), [&](auto& e) {
          return e.spellings == entry.spellings && e.actsAs(entry);
        });
    if (same != entries.end()) {
      same->kinds += kind;
      continue;
    }
    // After the entries of the same first spelling (-o of backup and scan).
    const auto last =
        std::find_if(entries.rbegin(), entries.rend(), [&](auto& e) {
          return e.spellings.front() == entry.spellings.front();
        });
    entries.insert(last == entries.rend() ? entries.end() : last.base(), entry);
  }
}

// Each entry as xelopts(3) shows it: .BI \-j " N\fR, " \-J " N\fR (BRS)"
// and its accessors: getApplicationNumber and getQuorvelId.
std::string optionList(const std::vector<OptionEntry>& entries) {
  std::string text;
  for (const OptionEntry& e : entries) {
    text += e.value.empty() ? ".TP\n.BR" : ".TP\n.BI";
    const std::string value = e.value.empty() ? "" : ' ' + e.value + "\\fR";
    for (std::size_t i = 0; i < e.spellings.size(); ++i) {
      text += " \\%" + roff(e.spellings[i]) + " \"" + value +
              (i + 1 < e.spellings.size() ? ", " : " (" + e.kinds + ')') + '"';
    }
    text += e.accessors.empty() ? "\nNo accessor shows it.\n" : "\n.BR";
    for (std::size_t i = 0; i < e.accessors.size(); ++i) {
      const std::size_t left = e.accessors.size() - i - 1;
      text += " \\%" + e.accessors[i] +
              (left > 1    ? " \", \""
               : left == 1 ? " \" and \""
                           : " .\n");
    }
  }
  return text;
}

// The committed file with `generated` between the lines begin and end (or
// as the whole file when begin is empty), written back when asked.
void expectGenerated(const std::string& path, const std::string& begin,
                     const std::string& end, const std::string& generated) {
  const std::string file = std::string(XELOPTS_SOURCE_DIR) + '/' + path;
  std::stringstream in;
  in << std::ifstream(file).rdbuf();
  std::string text = in.str();
  std::size_t from = 0;
  std::size_t to = text.size();
  if (!begin.empty()) {
    from = text.find(begin);
    ASSERT_NE(from, std::string::npos) << path << ": no " << begin;
    from += begin.size();
    to = text.find(end, from);
    ASSERT_NE(to, std::string::npos) << path << ": no " << end;
  }
  std::string expected = text;
  expected.replace(from, to - from, generated);
  if (std::getenv("XELOPTS_UPDATE_DOCS") != nullptr) {
    std::ofstream(file) << expected;
  }
  EXPECT_EQ(text, expected)
      << path << " differs from the fields: run the tests with "
      << "XELOPTS_UPDATE_DOCS=1 to write it";
}

TEST(FieldDocs, AreWrittenFromTheFields) {
  std::vector<Row> rows;
  addRows<BackupOptionsParser>("backup", rows);
  addRows<RestoreOptionsParser>("restore", rows);
  addRows<ScanOptionsParser>("scan", rows);
  expectGenerated("docs/fields.md", "<!-- generated: begin -->\n",
                  "<!-- generated: end -->", markdown(rows));
  expectGenerated("docs/xelopts.3", ".\\\" generated: begin\n",
                  ".\\\" generated: end", manual(rows));

  std::vector<OptionEntry> options;
  addOptions<BackupOptionsParser>('B', options);
  addOptions<RestoreOptionsParser>('R', options);
  addOptions<ScanOptionsParser>('S', options);
  expectGenerated("docs/xelopts.3", ".\\\" generated options: begin\n",
                  ".\\\" generated options: end", optionList(options));
}

}  // namespace
