// SPDX-License-Identifier: MIT
#include "JobKinds.h"

#include <iterator>
#include <utility>

namespace xeljob {
namespace {

template <class Parser>
Record parseAs(int argc, char** argv, XelOptionsParser::ParseReport& report,
               XelOptionsParser::CommandLine* canonical) {
  Parser parser(argc, argv, report);
  if (canonical != nullptr) {
    *canonical = Parser::commandLine(parser.settings());
  }
  return job_records::readRecord(parser);
}

template <class Parser>
Value readFieldAs(XelOptionsParser& parser, std::size_t field) {
  return job_records::Accessors<Parser>::list[field].read(
      static_cast<Parser&>(parser));
}

template <class Parser>
Value parseFieldAs(int argc, char** argv, std::size_t field) {
  XelOptionsParser::ParseReport report;  // nothing to standard error
  Parser parser(argc, argv, report);
  return readFieldAs<Parser>(parser, field);
}

template <class Parser>
constexpr JobKind kindOf(const char* name) {
  return {name, &Parser::vocabulary, &parseAs<Parser>, &readFieldAs<Parser>,
          &parseFieldAs<Parser>};
}

const JobKind kJobKinds[] = {
    kindOf<BackupOptionsParser>("backup"),
    kindOf<RestoreOptionsParser>("restore"),
    kindOf<ScanOptionsParser>("scan"),
};

// The parser's vector over copies of the words: the scan reorders the
// pointers only, but the copies keep the caller's words out of its reach.
class WordVector {
 public:
  WordVector(const char* program, std::vector<std::string> words)
      : program_(program), texts_(std::move(words)) {
    pointers_.reserve(texts_.size() + 2);
    pointers_.push_back(program_.data());
    for (std::string& text : texts_) {
      pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
  }
  WordVector(const WordVector&) = delete;
  WordVector& operator=(const WordVector&) = delete;
  int argc() const { return static_cast<int>(texts_.size()) + 1; }
  char** argv() { return pointers_.data(); }

 private:
  std::string program_;
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

}  // namespace

Record parseWords(const JobKind& kind, const std::vector<std::string>& words,
                  XelOptionsParser::ParseReport& report,
                  XelOptionsParser::CommandLine* canonical) {
  WordVector vector(kind.name, words);
  return kind.parse(vector.argc(), vector.argv(), report, canonical);
}

Value parseWordsField(const JobKind& kind,
                      const std::vector<std::string>& words,
                      std::size_t field) {
  WordVector vector(kind.name, words);
  return kind.parseField(vector.argc(), vector.argv(), field);
}

std::string jobKindNames() {
  std::string names;
  const std::size_t count = std::size(kJobKinds);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      names += i + 1 == count ? " or " : ", ";
    }
    names += kJobKinds[i].name;
  }
  return names;
}

const JobKind* findJobKind(const std::string& name) {
  for (const JobKind& kind : kJobKinds) {
    if (name == kind.name) {
      return &kind;
    }
  }
  return nullptr;
}

}  // namespace xeljob
