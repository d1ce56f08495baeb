// The three job kinds as the tool sees them: a name, the parser's own
// vocabulary, and a way to build the parser and read its whole record.
#ifndef XELJOB_JOBKINDS_H
#define XELJOB_JOBKINDS_H

#include <XelOptionsParser.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace xeljob {

using Value = std::variant<std::string, std::int64_t, std::uint64_t, bool>;

// One accessor of a parsed record and what it returned.
struct Field {
  const char* accessor;
  Value value;
};

struct JobKind {
  const char* name;
  const XelOptionsParser::Vocabulary& (*vocabulary)();
  // Constructs the kind's parser over the vector (which the scan may
  // reorder) and reads every accessor, in the record's field order.
  std::vector<Field> (*parse)(int argc, char** argv);
};

// "backup, restore or scan"
std::string jobKindNames();
// Null for a name that is no job kind.
const JobKind* findJobKind(const std::string& name);

}  // namespace xeljob

#endif  // XELJOB_JOBKINDS_H
