// SPDX-License-Identifier: MIT
// The members every job kind's parser has, defined once for all kinds from
// the kind's declaration (kKind in scope) and what sets its parser apart.
#ifndef XELOPTS_SRC_JOBPARSER_H
#define XELOPTS_SRC_JOBPARSER_H

#include "JobCommandLine.h"
#include "JobDeclaration.h"
#include "JobDispatch.h"
#include "JobSettings.h"
#include "JobTable.h"
#include "ParseLoop.h"

namespace xelopts::detail {

// What a parser makes of a null argv.
enum class NullArgv : bool {
  scanned,         // as any other vector: a scan that ends at once
  leavesDefaults,  // no scan: a record of defaults for the setters to fill
};

}  // namespace xelopts::detail

// The parser's members but its accessors and the setters of its own
// fields. apart: the parser's
// text member that keeps a value apart (the restore job's phase), or
// nullptr.
// NOLINTBEGIN(bugprone-macro-parentheses): names, not expressions
#define XELOPTS_JOB_PARSER(Parser, nullArgv, apart)                           \
  static_assert(::xelopts::detail::Declaration<kKind.problem().mistake,       \
                                               kKind.problem().code,          \
                                               kKind.problem().field>::holds, \
                "the declaration holds together");                            \
  namespace {                                                                 \
  /* Every parser of the kind, on every thread, scans with this table. */     \
  ::xelopts::detail::JobTable longNames(kKind.vocabulary);                    \
  constexpr bool scans(char** argv) {                                         \
    return nullArgv == ::xelopts::detail::NullArgv::scanned ||                \
           argv != nullptr;                                                   \
  }                                                                           \
  }                                                                           \
  Parser::Parser(int argc, char** argv) {                                     \
    initMembers();                                                            \
    if (scans(argv)) {                                                        \
      initializeParser(argc, argv);                                           \
      parse(argc, argv);                                                      \
    }                                                                         \
  }                                                                           \
  Parser::Parser(int argc, char** argv, ParseReport& report) {                \
    ::xelopts::detail::clearReport(report);                                   \
    initMembers();                                                            \
    if (scans(argv)) {                                                        \
      initializeParser(argc, argv);                                           \
      parseInto(&report);                                                     \
    }                                                                         \
  }                                                                           \
  Parser::~Parser() = default;                                                \
  const Parser::Vocabulary& Parser::vocabulary() { return kKind.vocabulary; } \
  const Parser::FieldTable& Parser::fields() {                                \
    return ::xelopts::detail::fieldsOf<kKind>();                              \
  }                                                                           \
  Parser::CommandLine Parser::commandLine(const Settings& settings) {         \
    return ::xelopts::detail::writeCommandLine<kKind>(settings);              \
  }                                                                           \
  void Parser::initMembers() {                                                \
    ::xelopts::detail::resetNumbersAndFlags<kKind>(settings_);                \
  }                                                                           \
  void Parser::initializeParser(int argc, char** argv) {                      \
    longNames.startScan(scanner_, argc, argv);                                \
  }                                                                           \
  void Parser::parse(int /*argc*/, char** /*argv*/) { parseInto(nullptr); }   \
  void Parser::parseInto(ParseReport* report) {                               \
    ::xelopts::detail::parseKind<kKind, &Parser::settings_, apart>(           \
        scanner_, *this, report);                                             \
  }                                                                           \
  Parser::Settings Parser::settings() const { return settings_; }             \
  Parser::FieldValue Parser::fieldValue(int field) const {                    \
    return settings_.fieldValue(field);                                       \
  }                                                                           \
  Parser::FieldValue Parser::Settings::fieldValue(int field) const {          \
    return ::xelopts::detail::fieldValue<kKind>(*this, field);                \
  }                                                                           \
  bool Parser::Settings::operator==(const Settings& other) const {            \
    return ::xelopts::detail::equal<kKind>(*this, other);                     \
  }                                                                           \
  std::string Parser::Settings::description() const {                         \
    return ::xelopts::detail::describe<kKind>(*this);                         \
  }                                                                           \
  XELOPTS_SETTER(Parser, setJobId, 'j')                                       \
  XELOPTS_SETTER(Parser, setApplicationNumber, 'a')                           \
  XELOPTS_SETTER(Parser, setVirtualMachine, 'v')                              \
  XELOPTS_SETTER(Parser, setJobToken, 's')                                    \
  XELOPTS_SETTER(Parser, setClientMachine, 'c')
// NOLINTEND(bugprone-macro-parentheses)

#endif  // XELOPTS_SRC_JOBPARSER_H
