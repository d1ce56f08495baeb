// SPDX-License-Identifier: MIT
#include "xelopts/XelOptionsParser.h"

// Out of line, so that the interface's vtable and type information live in
// the library, whatever a build inlines.
XelOptionsParser::~XelOptionsParser() = default;

bool XelOptionsParser::ParseReport::isClean() const {
  for (const ParseStep& step : steps) {
    if (step.isError()) {
      return false;
    }
  }
  return diagnostics.empty() && remaining.empty();
}

bool XelOptionsParser::ParseReport::isTakenAsWritten() const {
  for (const ParseStep& step : steps) {
    if (step.conversions != 0) {
      return false;
    }
  }
  return true;
}
