// The tool's output: an inspection or a job kind's vocabulary, either as an
// aligned table for people or as one JSON object for scripts.
#ifndef XELJOB_REPORT_H
#define XELJOB_REPORT_H

#include <string>

#include "Inspection.h"
#include "JobKinds.h"

namespace xeljob {

std::string inspectionTable(const Inspection& inspection, bool withTrace);
std::string inspectionJson(const Inspection& inspection, bool withTrace);
std::string vocabularyTable(const JobKind& kind);
std::string vocabularyJson(const JobKind& kind);

}  // namespace xeljob

#endif  // XELJOB_REPORT_H
