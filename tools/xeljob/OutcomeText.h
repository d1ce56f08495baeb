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
// "empty_text", ...; null for Rule::none.
const char* ruleName(XelOptionsParser::Rule rule);
// "text_after_number", ..., one per bit set, in bit order.
std::vector<const char*> conversionNames(unsigned conversions);

// "unknown option", "missing value", ...: an error step's kind; null for an
// outcome that is no error.
const char* errorWords(XelOptionsParser::Outcome outcome);
// "an empty value", ...; null for Rule::none.
const char* ruleWords(XelOptionsParser::Rule rule);
// "text after the number ignored, no digits read": empty without any.
std::string conversionWords(unsigned conversions);

}  // namespace xeljob

#endif  // XELJOB_OUTCOMETEXT_H
