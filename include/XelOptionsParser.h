// XelOptionsParser: the interface every job option parser offers, so that a
// caller needing only the job's identity can hold a parser of any kind.
//
// It also declares what every parser shares as data: a job kind's
// command-line vocabulary (each concrete parser publishes its own through a
// static vocabulary()), the report of a scan, which a parser fills when
// it is constructed with one, and a command line written from a kind's
// settings.
#ifndef XELOPTS_XELOPTIONSPARSER_H
#define XELOPTS_XELOPTIONSPARSER_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "XelGetOpt.h"

// Members of the exported classes that callers never see.
#ifndef XELOPTS_LOCAL
#define XELOPTS_LOCAL __attribute__((visibility("hidden")))
#endif

class XELOPTS_API XelOptionsParser {
 public:
  // One word of a vocabulary: a short-option letter (name null) or a long
  // name, with the code the scanner returns for it.
  struct OptionSpec {
    const char* name;  // long name, or null for a short-option letter
    XelGetOpt::ParamType kind;
    char code;
  };

  // A job kind's vocabulary: its short-option string, then its options, the
  // short letters first and the long names in their registration order.
  struct Vocabulary {
    const char* shortOptions;
    const OptionSpec* options;
    int count;
  };

  // What one call of the parser's scanner did.
  struct ScanStep {
    int code;  // as the scanner returned it; -1 ends the scan
    std::optional<std::string> argument;  // the code's argument, if any
    // The words the call consumed, in the order the scan left them. Each
    // call that reads part of a cluster (-xy) lists the cluster's word.
    std::vector<std::string> words;
    // Index in argv, as the scan left it, of the first of words (where the
    // next word would stand when words is empty).
    int firstWord;
  };

  // The outcome of a scan as data. A parser constructed with a report writes
  // no diagnostic to standard error: they are here instead. The parser
  // empties the three lists first; if its constructor throws, it leaves them
  // empty.
  struct ScanReport {
    std::vector<std::string> diagnostics;  // one line each, no line end
    std::vector<ScanStep> steps;           // one per scanner call, in order
    std::vector<std::string> remaining;    // the words behind the options

    // Called, when set, after each step has been applied to the record, so
    // that a caller can see what the step changed; parser is the one being
    // constructed, and step lives in steps (which the callback must leave
    // alone).
    void (*onStep)(const ScanStep& step, XelOptionsParser& parser,
                   void* context) = nullptr;
    void* context = nullptr;

    // No diagnostic and no remaining word: every word was an option or a
    // value.
    bool isClean() const { return diagnostics.empty() && remaining.empty(); }
  };

  // Why a kind's settings cannot come from any command line.
  enum class Unwritable {
    none,                // they can: the words are there
    nulInText,           // a text holds a NUL byte, which no word can carry
    jobIdOutOf32Bits,    // the job id is read as a signed 32-bit number
    restartNotEntries,   // a backup's full restart string neither empty nor
                         // "-o " and at least one byte more
    flagWithoutItsPair,  // skip-conversion without integrity check, or dctm
                         // without RBS: their options always set both
  };

  // A job's command line written from its settings (each parser's static
  // commandLine()): the words after the program name, which the kind's
  // parser reads back into equal settings, with or without
  // POSIXLY_CORRECT. The words are canonical: each option at most once, in
  // the record's order, spelled as the vocabulary first lists it (-j, -vm,
  // -o), its value as the next word; defaults left out. So the same
  // settings always give the same words, and two command lines that give
  // the same settings write the same words.
  struct CommandLine {
    std::vector<std::string> words;
    // When the settings cannot come from any command line: the accessor of
    // the first field in the record's order that cannot, and why; words is
    // empty then.
    const char* field = nullptr;
    Unwritable reason = Unwritable::none;

    bool isWritten() const { return reason == Unwritable::none; }
  };

  XelOptionsParser() = default;

  virtual std::string getClientMachine() = 0;
  virtual std::string getJobToken() = 0;
  virtual std::string getVirtualMachine() = 0;
  virtual std::int64_t getJobId() = 0;
  // Virtual, after the getters, so that deleting a parser through this
  // interface is defined.
  virtual ~XelOptionsParser();
};

#endif  // XELOPTS_XELOPTIONSPARSER_H
