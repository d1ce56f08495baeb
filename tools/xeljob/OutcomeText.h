// SPDX-License-Identifier: MIT
// The parse report's outcomes, rules and conversions, in words for people
// and as stable lower-case names for scripts.
#ifndef XELJOB_OUTCOMETEXT_H
#define XELJOB_OUTCOMETEXT_H

#include <XelOptionsParser.h>

#include <string>
#include <vector>

namespace xeljob {

// "changed", "unknown_option", ...
const char* outcomeName(XelOptionsParser::Outcome outcome);
// "nothing changed", "error: unknown option", "end of options", ...
const char* outcomeWords(XelOptionsParser::Outcome outcome);
// "empty_text", ...; null for Rule::none.
const char* ruleName(XelOptionsParser::Rule rule);
// "an empty value", ...; null for Rule::none.
const char* ruleWords(XelOptionsParser::Rule rule);
// "text_after_number", ..., one per bit set, in bit order.
std::vector<const char*> conversionNames(unsigned conversions);
// "text after the number ignored, no digits read": empty without any.
std::string conversionWords(unsigned conversions);

}  // namespace xeljob

#endif  // XELJOB_OUTCOMETEXT_H
