// SPDX-License-Identifier: MIT
#include "JobKinds.h"

#include <iterator>

namespace xeljob {
namespace {

template <class Parser>
Record parseAs(int argc, char** argv, XelOptionsParser::ParseReport& report,
               XelOptionsParser::CommandLine& canonical) {
  Parser parser(argc, argv, report);
  canonical = Parser::commandLine(parser.settings());
  return job_records::readRecord(parser);
}

template <class Parser>
Record readAs(XelOptionsParser& parser) {
  return job_records::readRecord(static_cast<Parser&>(parser));
}

template <class Parser>
constexpr JobKind kindOf(const char* name) {
  return {name, &Parser::vocabulary, &parseAs<Parser>, &readAs<Parser>};
}

const JobKind kJobKinds[] = {
    kindOf<BackupOptionsParser>("backup"),
    kindOf<RestoreOptionsParser>("restore"),
    kindOf<ScanOptionsParser>("scan"),
};

}  // namespace

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
