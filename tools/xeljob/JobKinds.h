// SPDX-License-Identifier: MIT
// The three job kinds as the tool sees them: a name, the parser's own
// vocabulary and field table, and a way to build the parser and read its
// record.
#ifndef XELJOB_JOBKINDS_H
#define XELJOB_JOBKINDS_H

#include <BackupOptionsParser.h>
#include <RestoreOptionsParser.h>
#include <ScanOptionsParser.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace xeljob {

using OptionSpec = XelOptionsParser::OptionSpec;
using FieldValue = XelOptionsParser::FieldValue;
// A field's value kept past the parse: FieldValue's alternatives, in its
// order, a text held as a std::string.
using Value = std::variant<std::string, std::int64_t, std::uint64_t, bool>;
// Each field's value, in the order of the kind's fields().
using Record = std::vector<Value>;

Value keptValue(const FieldValue& value);

struct JobKind {
  const char* name;
  const XelOptionsParser::Vocabulary& (*vocabulary)();
  const XelOptionsParser::FieldTable& (*fields)();
  // Constructs the kind's parser over the vector (which the scan may
  // reorder) with the report, and reads its record; and when canonical is
  // not null, writes its settings' canonical command line there.
  Record (*parse)(int argc, char** argv, XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine* canonical);
};

// Parses the words (the kind's name before them, as element 0) with the
// report given, and reads the record (and, asked, the canonical line).
Record parseWords(const JobKind& kind, const std::vector<std::string>& words,
                  XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine* canonical = nullptr);

// How an option is written: "-j", or "-cn" (a long name takes one dash or
// two).
std::string optionSpelling(const OptionSpec& option);
// The kind's option of the code; null for a code that is none.
const OptionSpec* findOption(const JobKind& kind, int code);

// "backup, restore or scan"
std::string jobKindNames();
// Null for a name that is no job kind.
const JobKind* findJobKind(const std::string& name);

}  // namespace xeljob

#endif  // XELJOB_JOBKINDS_H
