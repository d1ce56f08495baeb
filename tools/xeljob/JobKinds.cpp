#include "JobKinds.h"

#include <iterator>

#include <BackupOptionsParser.h>
#include <RestoreOptionsParser.h>
#include <ScanOptionsParser.h>

namespace xeljob {
namespace {

template <class Parser>
struct Accessor {
  const char* name;
  Value (*read)(Parser&);
};

// {"getJobId", reads parser.getJobId()}, for the parser type P in scope.
// clang-format off
#define XELJOB_ACCESSOR(method) \
  Accessor<P>{#method, [](P& parser) { return Value(parser.method()); }}
// clang-format on

template <class Parser, std::size_t N>
std::vector<Field> readRecord(Parser& parser,
                              const Accessor<Parser> (&accessors)[N]) {
  std::vector<Field> record;
  record.reserve(N);
  for (const Accessor<Parser>& accessor : accessors) {
    record.push_back({accessor.name, accessor.read(parser)});
  }
  return record;
}

std::vector<Field> parseBackup(int argc, char** argv) {
  using P = BackupOptionsParser;
  static const Accessor<P> accessors[] = {
      // clang-format off
      XELJOB_ACCESSOR(getJobId),
      XELJOB_ACCESSOR(getApplicationNumber),
      XELJOB_ACCESSOR(getQuorvelId),
      XELJOB_ACCESSOR(getVirtualMachine),
      XELJOB_ACCESSOR(getBackupType),
      XELJOB_ACCESSOR(getJobToken),
      XELJOB_ACCESSOR(getClientMachine),
      XELJOB_ACCESSOR(getMediaAgent),
      XELJOB_ACCESSOR(isLOption),
      XELJOB_ACCESSOR(isDOption),
      XELJOB_ACCESSOR(isIOption),
      XELJOB_ACCESSOR(getFullRestartString),
      XELJOB_ACCESSOR(getBackupPhase),
      XELJOB_ACCESSOR(getRestoreTaskId),
      XELJOB_ACCESSOR(isSkipConversion),
      XELJOB_ACCESSOR(isIntegrityCheck),
      XELJOB_ACCESSOR(isRBSJob),
      XELJOB_ACCESSOR(getNumStreamsForRBS),
      XELJOB_ACCESSOR(isAlwaysONJob),
      XELJOB_ACCESSOR(isDctmJob),
      XELJOB_ACCESSOR(isTLToSnapJob),
      // clang-format on
  };
  P parser(argc, argv);
  return readRecord(parser, accessors);
}

std::vector<Field> parseRestore(int argc, char** argv) {
  using P = RestoreOptionsParser;
  static const Accessor<P> accessors[] = {
      // clang-format off
      XELJOB_ACCESSOR(getJobId),
      XELJOB_ACCESSOR(getApplicationNumber),
      XELJOB_ACCESSOR(getQuorvelId),
      XELJOB_ACCESSOR(getVirtualMachine),
      XELJOB_ACCESSOR(getJobToken),
      XELJOB_ACCESSOR(getClientMachine),
      XELJOB_ACCESSOR(getMaHostName),
      XELJOB_ACCESSOR(getRestoreTaskId),
      XELJOB_ACCESSOR(isRBSJob),
      XELJOB_ACCESSOR(isDctmJob),
      // clang-format on
  };
  P parser(argc, argv);
  return readRecord(parser, accessors);
}

std::vector<Field> parseScan(int argc, char** argv) {
  using P = ScanOptionsParser;
  static const Accessor<P> accessors[] = {
      // clang-format off
      XELJOB_ACCESSOR(getJobId),
      XELJOB_ACCESSOR(getApplicationNumber),
      XELJOB_ACCESSOR(getQuorvelId),
      XELJOB_ACCESSOR(getVirtualMachine),
      XELJOB_ACCESSOR(getBackupType),
      XELJOB_ACCESSOR(getJobToken),
      XELJOB_ACCESSOR(getClientMachine),
      XELJOB_ACCESSOR(getMediaAgent),
      XELJOB_ACCESSOR(getRestartString),
      XELJOB_ACCESSOR(getBackupPhase),
      XELJOB_ACCESSOR(getRestoreTaskId),
      // clang-format on
  };
  P parser(argc, argv);
  return readRecord(parser, accessors);
}

#undef XELJOB_ACCESSOR

const JobKind kJobKinds[] = {
    {"backup", &BackupOptionsParser::vocabulary, &parseBackup},
    {"restore", &RestoreOptionsParser::vocabulary, &parseRestore},
    {"scan", &ScanOptionsParser::vocabulary, &parseScan},
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
