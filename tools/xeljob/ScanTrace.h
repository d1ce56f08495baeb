// Replays a parser's scan to show what happened to each word: a second
// scanner with the parser's own vocabulary, silent, over a copy of the same
// vector, sees exactly the codes and the permutation the parser saw.
#ifndef XELJOB_SCANTRACE_H
#define XELJOB_SCANTRACE_H

#include <XelOptionsParser.h>

#include <string>
#include <vector>

namespace xeljob {

struct TraceStep {
  int code;  // as the scanner returned it; -1 ends the scan
  std::vector<std::string> words;  // the words this call consumed
  // The vocabulary entry of the code; null when the parser ignores it.
  const XelOptionsParser::OptionSpec* option;
};

struct ScanTrace {
  std::vector<TraceStep> steps;
  // The words that the scan did not take as options or values, in the
  // order the scan left them.
  std::vector<std::string> leftover;
};

// `vector` holds the program name, the words and a closing null; the scan
// reorders it as the parser's scan reordered the parser's copy.
ScanTrace traceScan(const XelOptionsParser::Vocabulary& vocabulary,
                    std::vector<char*>& vector);

}  // namespace xeljob

#endif  // XELJOB_SCANTRACE_H
