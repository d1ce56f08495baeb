// SPDX-License-Identifier: MIT
#include "job_lines.h"

#include "BackupOptionsParser.h"
#include "LineBatch.h"
#include "RestoreOptionsParser.h"
#include "ScanOptionsParser.h"
#include "ShellWords.h"

namespace bench {

const char* const kJobKinds[3] = {"backup", "restore", "scan"};

namespace {

std::string two_digits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// The options of a typical line of the kind, for the i-th job.
std::string typical_options(const std::string& kind, int i) {
  const std::string id = std::to_string(100000 + i);
  const std::string client = "client" + two_digits(i % 100);
  if (kind == "backup") {
    return "-j " + id + " -a 5:" + std::to_string(57 + i % 40) + " -cn " +
           client + " -vm vm" + two_digits(i % 10) +
           " -t 1 -phase 4 -restart 12 -data -numstreams 3 -rbs";
  }
  if (kind == "restore") {
    return "-j " + id + " -a 5:57 -cn " + client + " -maHostName ma" +
           two_digits(i % 7) + " -jt token-" + id + " -rbs 1 -dctm";
  }
  return "-j " + id + " -a 5:57 -cn " + client + " -o 30 -restart " +
         std::to_string(10 + i % 20) + " -d ma01 -t 2";
}

}  // namespace

std::vector<std::string> typical_job_lines(const std::string& kind, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line = typical_options(kind, i);
    switch (i % 50) {
      case 7:
        line += " extra";
        break;
      case 19:
        line += " -frob";
        break;
      case 31:
        line += " -j 7x";
        break;
      case 43:
        line += " -vm 'vm 43'";
        break;
      default:
        break;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::unique_ptr<WordVector>> job_line_vectors(
    const std::string& kind, const std::vector<std::string>& lines) {
  std::vector<std::unique_ptr<WordVector>> vectors;
  for (const std::string& line : lines) {
    std::vector<std::string> words = {kind};
    for (std::string& word : xeljob::splitShellWords(line).words) {
      words.push_back(std::move(word));
    }
    vectors.push_back(std::make_unique<WordVector>(std::move(words)));
  }
  return vectors;
}

struct LinesRun::State {
  xeljob::LineBatch batch;
  std::uint64_t number = 0;
  std::string out;
};

LinesRun::LinesRun(const std::string& kind)
    : state_(new State{{*xeljob::findJobKind(kind), {}, "bench"}, 0, {}}) {}

LinesRun::~LinesRun() = default;

const std::string& LinesRun::take(const std::string& line) {
  state_->out.clear();
  state_->batch.take(++state_->number, line, state_->out);
  return state_->out;
}

namespace {

template <class Parser>
long parse_as(int argc, char** argv) {
  XelOptionsParser::ParseReport report;
  Parser parser(argc, argv, report);
  return static_cast<long>(parser.getJobId()) +
         static_cast<long>(report.steps.size());
}

}  // namespace

ParseFunction parse_with_report(const std::string& kind) {
  if (kind == "backup") {
    return parse_as<BackupOptionsParser>;
  }
  if (kind == "restore") {
    return parse_as<RestoreOptionsParser>;
  }
  return parse_as<ScanOptionsParser>;
}

}  // namespace bench
