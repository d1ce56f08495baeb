// SPDX-License-Identifier: MIT
// The three job kinds as the tool sees them: a name, the parser's own
// vocabulary, and a way to build the parser and read its record.
#ifndef XELJOB_JOBKINDS_H
#define XELJOB_JOBKINDS_H

#include <XelOptionsParser.h>

#include <cstddef>
#include <string>
#include <vector>

#include "JobRecords.h"

namespace xeljob {

using job_records::Field;
using job_records::Record;
using job_records::Value;

using FieldValue = XelOptionsParser::FieldValue;
// A field's value kept past the parse: a text held as a std::string.
Value keptValue(const FieldValue& value);

struct JobKind {
  const char* name;
  const XelOptionsParser::Vocabulary& (*vocabulary)();
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

// "backup, restore or scan"
std::string jobKindNames();
// Null for a name that is no job kind.
const JobKind* findJobKind(const std::string& name);

}  // namespace xeljob

#endif  // XELJOB_JOBKINDS_H
