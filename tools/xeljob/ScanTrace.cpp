#include "ScanTrace.h"

#include <algorithm>
#include <utility>

namespace xeljob {
namespace {

const XelOptionsParser::OptionSpec* findOption(
    const XelOptionsParser::Vocabulary& vocabulary, int code) {
  for (int i = 0; i < vocabulary.count; ++i) {
    if (vocabulary.options[i].code == code) {
      return &vocabulary.options[i];
    }
  }
  return nullptr;
}

// The scanner stopped inside a word (a cluster of short options).
bool insideWord(const XelGetOpt& scanner) {
  return scanner.nextchar != nullptr && *scanner.nextchar != '\0' &&
         scanner.optind < scanner.argc;
}

}  // namespace

ScanTrace traceScan(const XelOptionsParser::Vocabulary& vocabulary,
                    std::vector<char*>& vector) {
  const int argc = static_cast<int>(vector.size()) - 1;
  XelGetOpt scanner(argc, vector.data(), vocabulary.shortOptions);
  scanner.opterr = 0;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    if (option.name != nullptr) {
      scanner.add_long_option(option.name, option.kind, option.code);
    }
  }

  ScanTrace trace;
  int taken = 0;  // words consumed whole so far
  for (;;) {
    const bool resumed = insideWord(scanner);
    const int before = std::max(scanner.optind, 1);
    const int code = scanner();
    TraceStep step{
        code, {}, code == -1 ? nullptr : findOption(vocabulary, code)};
    const int end = std::clamp(scanner.optind, 1, argc);
    if (code == -1) {
      // What the last call consumed (a terminator) stands just before the
      // first remaining word, behind the options taken earlier.
      for (int i = taken + 1; i < end; ++i) {
        step.words.emplace_back(vector[i]);
      }
      trace.steps.push_back(std::move(step));
      for (int i = end; i < argc; ++i) {
        trace.leftover.emplace_back(vector[i]);
      }
      return trace;
    }
    // A permuting scan first skips stray words; the option's own word is
    // where the skipped block ends.
    int start = before;
    if (!resumed && scanner.ordering == XelGetOpt::PERMUTE) {
      start = scanner.last_nonopt;
    }
    start = std::clamp(start, 1, end);
    for (int i = start; i < end; ++i) {
      step.words.emplace_back(vector[i]);
    }
    if (insideWord(scanner)) {
      step.words.emplace_back(vector[scanner.optind]);
    }
    taken += end - start;
    trace.steps.push_back(std::move(step));
  }
}

}  // namespace xeljob
