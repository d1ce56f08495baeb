#include "OutcomeText.h"

#include <iterator>

namespace xeljob {
namespace {

using Outcome = XelOptionsParser::Outcome;
using Rule = XelOptionsParser::Rule;
using Conversion = XelOptionsParser::Conversion;

struct Named {
  unsigned bit;
  const char* name;
  const char* words;
};

const Named kConversions[] = {
    {Conversion::textAfterNumber, "text_after_number",
     "text after the number ignored"},
    {Conversion::noDigits, "no_digits", "no digits read"},
    {Conversion::negativeWrapped, "negative_wrapped",
     "a negative number wrapped"},
    {Conversion::saturated, "saturated", "out of range and saturated"},
    {Conversion::jobIdClamped, "job_id_clamped", "job id clamped to 32 bits"},
    {Conversion::spaceOrSign, "space_or_sign",
     "white space or a sign before the number"},
    {Conversion::noColon, "no_colon", "no colon"},
    {Conversion::nothingAfterColon, "nothing_after_colon",
     "nothing after the colon"},
    {Conversion::valueIgnored, "value_ignored", "value never read"},
};

}  // namespace

const char* outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::changed:
      return "changed";
    case Outcome::unchanged:
      return "unchanged";
    case Outcome::unknownOption:
      return "unknown_option";
    case Outcome::ambiguousOption:
      return "ambiguous_option";
    case Outcome::missingValue:
      return "missing_value";
    case Outcome::unexpectedValue:
      return "unexpected_value";
    case Outcome::unknownLetter:
      return "unknown_letter";
    case Outcome::nonOption:
      return "non_option";
    case Outcome::terminator:
      return "terminator";
    case Outcome::end:
      break;
  }
  return "end";
}

const char* ruleName(Rule rule) {
  switch (rule) {
    case Rule::emptyText:
      return "empty_text";
    case Rule::sameValue:
      return "same_value";
    case Rule::notSmaller:
      return "not_smaller";
    case Rule::notRead:
      return "not_read";
    case Rule::notShown:
      return "not_shown";
    case Rule::none:
      break;
  }
  return nullptr;
}

std::vector<const char*> conversionNames(unsigned conversions) {
  std::vector<const char*> names;
  for (const Named& conversion : kConversions) {
    if ((conversions & conversion.bit) != 0) {
      names.push_back(conversion.name);
    }
  }
  return names;
}

const char* errorWords(Outcome outcome) {
  switch (outcome) {
    case Outcome::unknownOption:
      return "unknown option";
    case Outcome::ambiguousOption:
      return "ambiguous name";
    case Outcome::missingValue:
      return "missing value";
    case Outcome::unexpectedValue:
      return "a value given to an option that takes none";
    case Outcome::unknownLetter:
      return "a letter not in the option string";
    default:
      return nullptr;
  }
}

const char* ruleWords(Rule rule) {
  switch (rule) {
    case Rule::emptyText:
      return "an empty value";
    case Rule::sameValue:
      return "the same value again";
    case Rule::notSmaller:
      return "not smaller than the restart value kept";
    case Rule::notRead:
      return "value not read";
    case Rule::notShown:
      return "no accessor shows this option";
    case Rule::none:
      break;
  }
  return nullptr;
}

std::string conversionWords(unsigned conversions) {
  std::string words;
  for (const Named& conversion : kConversions) {
    if ((conversions & conversion.bit) != 0) {
      words += words.empty() ? "" : ", ";
      words += conversion.words;
    }
  }
  return words;
}

}  // namespace xeljob
