// SPDX-License-Identifier: MIT
// A kind's settings as one line of text, for tests and logs: name=value for
// every member, in order, texts in double quotes.
#ifndef XELOPTS_SRC_SETTINGSDESCRIPTION_H
#define XELOPTS_SRC_SETTINGSDESCRIPTION_H

#include <string>

#include "XelOptionsParser.h"

namespace xelopts::detail {

// " name=value" (no space first); a text quoted, with a quote, a backslash
// and any byte outside printable ASCII escaped (\", \\, \xHH), so that
// every byte shows.
void appendMember(std::string& text, const char* name,
                  const XelOptionsParser::FieldValue& value);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SETTINGSDESCRIPTION_H
