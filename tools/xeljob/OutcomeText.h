// SPDX-License-Identifier: MIT
// The parse report's outcomes, rules and conversions, in words for people
// and as stable lower-case names for scripts.
#ifndef XELJOB_OUTCOMETEXT_H
#define XELJOB_OUTCOMETEXT_H

#include <XelOptionsParser.h>

#include <string>
#include <vector>

namespace xeljob {

// A key's stable lower-case name for scripts, and its words for people.
struct Texts {
  const char* name;
  const char* words;
};

// "changed" and "changed", "unknown_option" and "error: unknown option",
// "end" and "end of options", ...
Texts outcomeTexts(XelOptionsParser::Outcome outcome);
// "empty_text" and "an empty value", ...; both null for Rule::none.
Texts ruleTexts(XelOptionsParser::Rule rule);
// "text_after_number", ..., one per bit set, in bit order; with
// &Texts::words, "text after the number ignored", ...
std::vector<const char*> conversionNames(
    unsigned conversions, const char* Texts::*text = &Texts::name);
// "text after the number ignored, no digits read": empty without any.
std::string conversionWords(unsigned conversions);

}  // namespace xeljob

#endif  // XELJOB_OUTCOMETEXT_H
