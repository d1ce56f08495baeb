// SPDX-License-Identifier: MIT
// The three job kinds as the tool sees them: a name, the parser's own
// vocabulary, and a way to build the parser with a parse report and read its
// whole record.
#ifndef XELJOB_JOBKINDS_H
#define XELJOB_JOBKINDS_H

#include <XelOptionsParser.h>

#include <string>

#include "JobRecords.h"

namespace xeljob {

using job_records::Field;
using job_records::Record;
using job_records::Value;

struct JobKind {
  const char* name;
  const XelOptionsParser::Vocabulary& (*vocabulary)();
  // Constructs the kind's parser over the vector (which the scan may
  // reorder) with the report, reads its record and writes its settings'
  // canonical command line.
  Record (*parse)(int argc, char** argv, XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine& canonical);
  // Reads the record of a parser of this kind, such as the one a report's
  // step callback receives.
  Record (*read)(XelOptionsParser& parser);
};

// "backup, restore or scan"
std::string jobKindNames();
// Null for a name that is no job kind.
const JobKind* findJobKind(const std::string& name);

}  // namespace xeljob

#endif  // XELJOB_JOBKINDS_H
