#include "ParseLoop.h"

namespace xelopts::detail {
namespace {

void apply(int code, const char* text, const SharedFields& fields,
           XelOptionsParser& parser, OwnOptionHandler own) {
  if (!applySharedOption(code, text, fields)) {
    own(parser, code, text);
  }
}

void collectDiagnostic(void* report, const char* line, std::size_t length) {
  static_cast<XelOptionsParser::ScanReport*>(report)->diagnostics.emplace_back(
      line, length);
}

void scanReporting(XelGetOpt& scanner, const SharedFields& fields,
                   XelOptionsParser& parser, OwnOptionHandler own,
                   XelOptionsParser::ScanReport& report) {
  for (int code = 0; code != -1;) {
    code = scanner();
    const char* text = scanner.optarg();
    if (code != -1) {
      apply(code, text, fields, parser, own);
    }
    const XelGetOpt::consumed_words words = scanner.consumed();
    XelOptionsParser::ScanStep& step = report.steps.emplace_back();
    step.code = code;
    if (text != nullptr) {
      step.argument = text;
    }
    step.words.assign(scanner.argv + words.first,
                      scanner.argv + words.first + words.count);
    step.firstWord = words.position;
    if (report.onStep != nullptr) {
      report.onStep(step, parser, report.context);
    }
  }
  // The operands run from optind to argc, or to a null element before it.
  for (int i = scanner.optind;
       scanner.argv != nullptr && i < scanner.argc && scanner.argv[i] != nullptr;
       ++i) {
    report.remaining.emplace_back(scanner.argv[i]);
  }
}

}  // namespace

void parseWith(XelGetOpt& scanner, const SharedFields& fields,
               XelOptionsParser& parser, OwnOptionHandler own,
               XelOptionsParser::ScanReport* report) {
  if (report == nullptr) {
    for (int code; (code = scanner()) != -1;) {
      apply(code, scanner.optarg(), fields, parser, own);
    }
    return;
  }
  clearReport(*report);
  scanner.set_diagnostic_sink(&collectDiagnostic, report);
  try {
    scanReporting(scanner, fields, parser, own, *report);
  } catch (...) {
    // No half report is left behind: the exception is the outcome.
    scanner.set_diagnostic_sink(nullptr, nullptr);
    clearReport(*report);
    throw;
  }
  scanner.set_diagnostic_sink(nullptr, nullptr);
}

void clearReport(XelOptionsParser::ScanReport& report) {
  report.diagnostics.clear();
  report.steps.clear();
  report.remaining.clear();
}

}  // namespace xelopts::detail
