#include "JobOutcome.h"

#include <cstdlib>
#include <stdexcept>

#include "StderrCapture.h"

namespace xeljob {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

JobOutcome runJob(const JobKind& kind, const std::vector<std::string>& words,
                  bool posix) {
  if (posix) {
    setenv("POSIXLY_CORRECT", "1", 1);
  } else {
    unsetenv("POSIXLY_CORRECT");
  }

  JobOutcome outcome{&kind, posix, words, {}, {}, {}};
  // The parser and the trace each reorder their own copy of the pointers;
  // the texts stay in `texts`.
  std::string program = kind.name;
  std::vector<std::string> texts = words;
  std::vector<char*> vector;
  vector.reserve(texts.size() + 2);
  vector.push_back(program.data());
  for (std::string& text : texts) {
    vector.push_back(text.data());
  }
  vector.push_back(nullptr);

  std::vector<char*> parserVector = vector;
  const int argc = static_cast<int>(vector.size()) - 1;
  StderrCapture capture;
  outcome.record = kind.parse(argc, parserVector.data());
  outcome.diagnostics = splitLines(capture.finish());

  outcome.trace = traceScan(kind.vocabulary(), vector);
  // The replay is only worth showing if it is the parser's scan.
  if (vector != parserVector) {
    throw std::logic_error("the trace of the scan disagrees with the parser");
  }
  return outcome;
}

}  // namespace xeljob
