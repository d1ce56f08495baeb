// SPDX-License-Identifier: MIT
#include "ParseLoop.h"

#include <iterator>

namespace xelopts::detail {
namespace {

using Outcome = XelOptionsParser::Outcome;

void collectDiagnostic(void* report, const char* line, std::size_t length) {
  static_cast<XelOptionsParser::ParseReport*>(report)->diagnostics.emplace_back(
      line, length);
}

// Each error_kind's outcome, in the kind's order.
constexpr Outcome kErrorOutcomes[] = {
    Outcome::unknownOption, Outcome::unknownOption,   Outcome::ambiguousOption,
    Outcome::missingValue,  Outcome::unexpectedValue, Outcome::unknownLetter};
static_assert(std::size(kErrorOutcomes) == XelGetOpt::illegal_option + 1);

// One scanner call, applied, as a step of the report.
void step(XelGetOpt& scanner, XelOptionsParser& parser, Appliers appliers,
          const std::uint32_t* fieldsByCode,
          XelOptionsParser::ParseReport& report, int& code) {
  const std::size_t lines = report.diagnostics.size();
  code = scanner();
  const char* text = scanner.optarg();
  Effect effect;
  XelOptionsParser::ParseStep& step = report.steps.emplace_back();
  if (scanner.error() != XelGetOpt::no_error) {
    step.outcome = kErrorOutcomes[scanner.error()];
    step.diagnostic =
        report.diagnostics.size() > lines ? static_cast<int>(lines) : -1;
  } else if (code == -1) {
    step.outcome =
        scanner.consumed().count != 0 ? Outcome::terminator : Outcome::end;
  } else {
    apply(appliers, parser, code, text, &effect);
    step.outcome = effect.changed ? Outcome::changed : Outcome::unchanged;
    step.rule = effect.changed ? XelOptionsParser::Rule::none : effect.rule;
    step.conversions = effect.conversions[0] | effect.conversions[1];
    // An option stores in all of its fields or in none.
    if (effect.changed || effect.rule == XelOptionsParser::Rule::sameValue) {
      step.assigned = fieldsByCode[code];
      step.fieldConversions = effect.conversions;
    }
  }
  step.code = code;
  if (text != nullptr) {
    step.argument = text;
  }
  const XelGetOpt::consumed_words words = scanner.consumed();
  step.words.assign(scanner.argv + words.first,
                    scanner.argv + words.first + words.count);
  step.position = words.position;
  if (report.onStep != nullptr) {
    report.onStep(report.context, step, parser);
  }
}

}  // namespace

void parseReporting(XelGetOpt& scanner, XelOptionsParser& parser,
                    Appliers appliers, const std::uint32_t* fieldsByCode,
                    XelOptionsParser::ParseReport& report) {
  scanner.set_diagnostic_sink(&collectDiagnostic, &report);
  try {
    for (int code = 0; code != -1;) {
      step(scanner, parser, appliers, fieldsByCode, report, code);
    }
    // The operands run from optind to argc, or to a null element before it.
    for (int i = scanner.optind; scanner.argv != nullptr && i < scanner.argc &&
                                 scanner.argv[i] != nullptr;
         ++i) {
      report.remaining.emplace_back(scanner.argv[i]);
    }
  } catch (...) {
    // No half report is left behind: the exception is the outcome.
    scanner.set_diagnostic_sink(nullptr, nullptr);
    clearReport(report);
    throw;
  }
  scanner.set_diagnostic_sink(nullptr, nullptr);
}

void clearReport(XelOptionsParser::ParseReport& report) {
  report.diagnostics.clear();
  report.steps.clear();
  report.remaining.clear();
}

}  // namespace xelopts::detail
