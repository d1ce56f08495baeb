// SPDX-License-Identifier: MIT
#include "ParseLoop.h"

namespace xelopts::detail {
namespace {

using Outcome = XelOptionsParser::Outcome;

bool apply(int code, const char* text, const SharedFields& fields,
           XelOptionsParser& parser, OwnOptionHandler own, Effect* effect) {
  return applySharedOption(code, text, fields, effect) ||
         own(parser, code, text, effect);
}

void collectDiagnostic(void* report, const char* line, std::size_t length) {
  static_cast<XelOptionsParser::ParseReport*>(report)->diagnostics.emplace_back(
      line, length);
}

Outcome errorOutcome(XelGetOpt::error_kind error) {
  switch (error) {
    case XelGetOpt::ambiguous_option:
      return Outcome::ambiguousOption;
    case XelGetOpt::missing_argument:
      return Outcome::missingValue;
    case XelGetOpt::argument_not_allowed:
      return Outcome::unexpectedValue;
    case XelGetOpt::illegal_option:
      return Outcome::unknownLetter;
    case XelGetOpt::unrecognized_option:
    case XelGetOpt::no_error:
      break;
  }
  return Outcome::unknownOption;
}

// One scanner call, applied, as a step of the report.
void step(XelGetOpt& scanner, const SharedFields& fields,
          XelOptionsParser& parser, OwnOptionHandler own,
          XelOptionsParser::ParseReport& report, int& code) {
  const std::size_t lines = report.diagnostics.size();
  code = scanner();
  const char* text = scanner.optarg();
  Effect effect;
  XelOptionsParser::ParseStep& step = report.steps.emplace_back();
  if (scanner.error() != XelGetOpt::no_error) {
    step.outcome = errorOutcome(scanner.error());
    step.diagnostic =
        report.diagnostics.size() > lines ? static_cast<int>(lines) : -1;
  } else if (code == -1) {
    step.outcome =
        scanner.consumed().count != 0 ? Outcome::terminator : Outcome::end;
  } else if (apply(code, text, fields, parser, own, &effect)) {
    step.outcome = effect.changed ? Outcome::changed : Outcome::unchanged;
    step.rule = effect.rule;
    step.conversions = effect.conversions;
  } else {
    step.outcome = Outcome::nonOption;  // code 1, or any other unknown one
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

void parseWith(XelGetOpt& scanner, const SharedFields& fields,
               XelOptionsParser& parser, OwnOptionHandler own,
               XelOptionsParser::ParseReport* report) {
  if (report == nullptr) {
    for (int code; (code = scanner()) != -1;) {
      apply(code, scanner.optarg(), fields, parser, own, nullptr);
    }
    return;
  }
  scanner.set_diagnostic_sink(&collectDiagnostic, report);
  try {
    for (int code = 0; code != -1;) {
      step(scanner, fields, parser, own, *report, code);
    }
    // The operands run from optind to argc, or to a null element before it.
    for (int i = scanner.optind; scanner.argv != nullptr && i < scanner.argc &&
                                 scanner.argv[i] != nullptr;
         ++i) {
      report->remaining.emplace_back(scanner.argv[i]);
    }
  } catch (...) {
    // No half report is left behind: the exception is the outcome.
    scanner.set_diagnostic_sink(nullptr, nullptr);
    clearReport(*report);
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
