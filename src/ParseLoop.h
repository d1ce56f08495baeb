// SPDX-License-Identifier: MIT
// The parse loops of a parser, with a report and without, and the report
// a parse fills.
#ifndef XELOPTS_SRC_PARSELOOP_H
#define XELOPTS_SRC_PARSELOOP_H

#include <cstdint>

#include "FieldRules.h"
#include "xelopts/XelGetOpt.h"
#include "xelopts/XelOptionsParser.h"

namespace xelopts::detail {

// Applies the option of one code to the parser's record, noting in effect
// (when not null) what it did.
using Apply = void (*)(XelOptionsParser& parser, const char* text,
                       Effect* effect);

// A kind's appliers, by code. A code that is not the kind's, which no
// scanner of the kind returns, has one that does nothing.
constexpr int kCodes = 128;
using Appliers = const Apply*;

inline void ignore(XelOptionsParser& /*parser*/, const char* /*text*/,
                   Effect* /*effect*/) {}

inline void apply(Appliers appliers, XelOptionsParser& parser, int code,
                  const char* text, Effect* effect) {
  if (static_cast<unsigned>(code) < kCodes) {
    appliers[code](parser, text, effect);
  }
}

// Runs the scanner to its end, applying each code, with the parse's
// diagnostics, steps and remaining words in report instead of on standard
// error. A step whose option stored its value assigned the fields that
// fieldsByCode (128 bit sets, by code) gives.
void parseReporting(XelGetOpt& scanner, XelOptionsParser& parser,
                    Appliers appliers, const std::uint32_t* fieldsByCode,
                    XelOptionsParser::ParseReport& report);

// Runs the scanner to its end, applying each code, without a report: no
// caller's code runs during the scan, so what the first call checks holds
// for every later one. Defined with the scanner's engine.
void scanApplying(XelGetOpt& scanner, XelOptionsParser& parser,
                  Appliers appliers);

// Empties what a parse writes into a report; its callback stays.
void clearReport(XelOptionsParser::ParseReport& report);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_PARSELOOP_H
