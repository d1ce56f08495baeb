// SPDX-License-Identifier: MIT
// xeljob --lines against the parse it is built on: typical job lines of each
// kind, each taken by the tool's per-line work (split, parse with a report,
// record, JSON line, summary) and parsed once with a report.
#ifndef XELOPTS_BENCH_JOB_LINES_H
#define XELOPTS_BENCH_JOB_LINES_H

#include <memory>
#include <string>
#include <vector>

#include "word_vectors.h"

namespace bench {

// The job kinds, as xeljob names them.
extern const char* const kJobKinds[3];

// `count` typical job lines of the kind, each one different: the options a
// launcher writes for it, with now and then a stray word, an unknown option,
// a number with text after it or a quoted value, as a day's lines have.
std::vector<std::string> typical_job_lines(const std::string& kind, int count);

// The same lines split into words as --lines splits them, the kind's name
// first, ready for a parse.
std::vector<std::unique_ptr<WordVector>> job_line_vectors(
    const std::string& kind, const std::vector<std::string>& lines);

// Takes lines one after another through xeljob's --lines work, writing each
// JSON line into a buffer that is then dropped.
class LinesRun {
 public:
  explicit LinesRun(const std::string& kind);
  ~LinesRun();
  LinesRun(const LinesRun&) = delete;
  LinesRun& operator=(const LinesRun&) = delete;

  // The line's JSON line, until the next.
  const std::string& take(const std::string& line);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// One parse of a vector by the kind's parser, with a report.
using ParseFunction = long (*)(int argc, char** argv);
ParseFunction parse_with_report(const std::string& kind);

}  // namespace bench

#endif  // XELOPTS_BENCH_JOB_LINES_H
