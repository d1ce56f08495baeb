// SPDX-License-Identifier: MIT
// The parse loop every parser runs, and the report it fills when it is
// given one.
#ifndef XELOPTS_SRC_PARSELOOP_H
#define XELOPTS_SRC_PARSELOOP_H

#include "JobFields.h"
#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// A parser's handler for the codes of its own: a plain function, so that
// handing a code over costs one call. It notes in effect (when not null)
// what the code did; false for a code it does not know.
using OwnOptionHandler = bool (*)(XelOptionsParser& parser, int code,
                                  const char* text, Effect* effect);

// Runs the scanner to its end, applying the shared codes and handing every
// other code, with its text, to own. With a report, the parse's
// diagnostics, steps and remaining words go there instead of standard
// error.
void parseWith(XelGetOpt& scanner, const SharedFields& fields,
               XelOptionsParser& parser, OwnOptionHandler own,
               XelOptionsParser::ParseReport* report);

// Empties what a parse writes into a report; its callback stays.
void clearReport(XelOptionsParser::ParseReport& report);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_PARSELOOP_H
