// SPDX-License-Identifier: MIT
#include "OutcomeText.h"

#include <cstddef>

#include "TableText.h"

namespace xeljob {
namespace {

using Outcome = XelOptionsParser::Outcome;
using Rule = XelOptionsParser::Rule;
using Conversion = XelOptionsParser::Conversion;

template <class Key>
struct Named {
  Key key;
  Texts texts;
};

const Named<Outcome> kOutcomes[] = {
    {Outcome::changed, {"changed", "changed"}},
    {Outcome::unchanged, {"unchanged", "nothing changed"}},
    {Outcome::unknownOption, {"unknown_option", "error: unknown option"}},
    {Outcome::ambiguousOption, {"ambiguous_option", "error: ambiguous name"}},
    {Outcome::missingValue, {"missing_value", "error: missing value"}},
    {Outcome::unexpectedValue,
     {"unexpected_value", "error: a value given to an option that takes none"}},
    {Outcome::unknownLetter,
     {"unknown_letter", "error: a letter not in the option string"}},
    {Outcome::terminator, {"terminator", "end of options"}},
    {Outcome::end, {"end", "end of options"}},
};

const Named<Rule> kRules[] = {
    {Rule::emptyText, {"empty_text", "an empty value"}},
    {Rule::sameValue, {"same_value", "the same value again"}},
    {Rule::notSmaller,
     {"not_smaller", "not smaller than the restart value kept"}},
    {Rule::notRead, {"not_read", "value not read"}},
    {Rule::notShown, {"not_shown", "no accessor shows this option"}},
};

const Named<unsigned> kConversions[] = {
    {Conversion::textAfterNumber,
     {"text_after_number", "text after the number ignored"}},
    {Conversion::noDigits, {"no_digits", "no digits read"}},
    {Conversion::negativeWrapped,
     {"negative_wrapped", "a negative number wrapped"}},
    {Conversion::saturated, {"saturated", "out of range and saturated"}},
    {Conversion::jobIdClamped, {"job_id_clamped", "job id clamped to 32 bits"}},
    {Conversion::spaceOrSign,
     {"space_or_sign", "white space or a sign before the number"}},
    {Conversion::noColon, {"no_colon", "no colon"}},
    {Conversion::nothingAfterColon,
     {"nothing_after_colon", "nothing after the colon"}},
};

// The texts of the key; none for Rule::none.
template <class Key, std::size_t count>
Texts find(const Named<Key> (&table)[count], Key key) {
  for (const Named<Key>& entry : table) {
    if (entry.key == key) {
      return entry.texts;
    }
  }
  return {nullptr, nullptr};
}

}  // namespace

Texts outcomeTexts(Outcome outcome) { return find(kOutcomes, outcome); }

Texts ruleTexts(Rule rule) { return find(kRules, rule); }

std::vector<const char*> conversionNames(unsigned conversions,
                                         const char* Texts::*text) {
  std::vector<const char*> texts;
  for (const Named<unsigned>& conversion : kConversions) {
    if ((conversions & conversion.key) != 0) {
      texts.push_back(conversion.texts.*text);
    }
  }
  return texts;
}

std::string conversionWords(unsigned conversions) {
  return joined(conversionNames(conversions, &Texts::words), ", ",
                [](const char* words) { return std::string(words); });
}

}  // namespace xeljob
