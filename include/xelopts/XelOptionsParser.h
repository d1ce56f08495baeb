// SPDX-License-Identifier: MIT
// XelOptionsParser: the interface every job option parser offers, so that a
// caller needing only the job's identity can hold a parser of any kind.
//
// It also declares the report of a parse, which a parser fills when it is
// constructed with one, and a command line written from a kind's settings.
// What a kind publishes about itself (its vocabulary and its fields) is in
// Fields.h, named here too.
#ifndef XELOPTS_XELOPTIONSPARSER_H
#define XELOPTS_XELOPTIONSPARSER_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Fields.h"
#include "XelGetOpt.h"

class XELOPTS_API XelOptionsParser {
 public:
  // What Fields.h declares, named in every parser's scope too
  // (BackupOptionsParser::FieldTable).
  using Change = xelopts::Change;
  using OptionSpec = xelopts::OptionSpec;
  using Vocabulary = xelopts::Vocabulary;
  using FieldType = xelopts::FieldType;
  using FieldValue = xelopts::FieldValue;
  using FieldSpec = xelopts::FieldSpec;
  using FieldTable = xelopts::FieldTable;
  using FieldSet = xelopts::FieldSet;

  // What a step did.
  enum class Outcome : unsigned char {
    // An option, applied to the record:
    changed,    // some accessor shows it
    unchanged,  // no accessor shows a change, by `rule`
    // An error, the scanner's diagnostics[diagnostic]:
    unknownOption,    // no option of the kind
    ambiguousOption,  // two names match
    missingValue,     // the option's value is not there
    unexpectedValue,  // a value given to an option that takes none
    unknownLetter,    // a letter not in the short-option string
    // No option:
    terminator,  // "--", which ended the options
    end,         // the options ended, no word taken
  };

  // Why an option changed nothing.
  enum class Rule : unsigned char {
    none,
    emptyText,   // an empty value leaves the field as it was
    sameValue,   // the field held it already (a flag already set)
    notSmaller,  // a scan job keeps its smallest restart value
    notRead,     // the value could not be read (see conversions)
    notShown,    // kept where no accessor reads it (a restore job's phase)
  };

  // How a value was read other than as written: a step's conversions hold
  // any of these.
  enum Conversion : unsigned {
    textAfterNumber = 1U << 0,    // text after the number ignored
    noDigits = 1U << 1,           // no digits read: 0
    negativeWrapped = 1U << 2,    // a negative number wrapped around
    saturated = 1U << 3,          // out of range: the largest value
    jobIdClamped = 1U << 4,       // a job id clamped to 32 bits
    spaceOrSign = 1U << 5,        // white space or "+" before the number
    noColon = 1U << 6,            // an application number without ':'
    nothingAfterColon = 1U << 7,  // nor anything after it
  };

  // What one call of the parser's scanner did, and what came of it.
  struct ParseStep {
    int code;  // as the scanner returned it; -1 ends the options
    std::optional<std::string> argument;  // the code's argument, if any
    // The words the call consumed, in the order the parse left them. Each
    // call that reads part of a cluster (-xy) lists the cluster's word.
    std::vector<std::string> words;
    // Index in argv, once the parse is over, of the first of words (where
    // the next word stands when words is empty): consumed_words::position.
    int position;
    Outcome outcome;
    Rule rule = Rule::none;
    unsigned conversions = 0;  // Conversion bits
    int diagnostic = -1;       // of an error: its index in diagnostics
    // The fields the option wrote, whether or not their values changed:
    // none for an option whose value was not taken (an empty job id, a
    // scan job's restart value not smaller), nor for any other step.
    FieldSet assigned = {};
    // Of each field in assigned, in the record's order, the conversions of
    // its own part of the value; conversions holds their union. An option
    // writes two fields at most: of -a 5x:7, only getQuorvelId's converted.
    std::array<unsigned, 2> fieldConversions = {};

    bool isError() const {
      return outcome >= Outcome::unknownOption &&
             outcome <= Outcome::unknownLetter;
    }
  };

  // The outcome of a parse as data. A parser constructed with a report
  // writes no diagnostic to standard error: they are here instead. The
  // parser empties the three lists before anything else; if its constructor
  // throws, it leaves them empty.
  struct ParseReport {
    std::vector<std::string> diagnostics;  // one line each, no line end
    std::vector<ParseStep> steps;          // one per scanner call, in order
    std::vector<std::string> remaining;    // the words behind the options

    // Called, when set, after each step has been applied to the record, so
    // that a caller can see what the step changed: context first, as the
    // scanner's diagnostic sink takes it; parser is the one being
    // constructed, and step lives in steps (which the callback must leave
    // alone).
    void (*onStep)(void* context, const ParseStep& step,
                   XelOptionsParser& parser) = nullptr;
    void* context = nullptr;

    // Every word was an option or a value: no error, nothing left over.
    bool isClean() const;
    // Every value was taken as written: no step with a conversion.
    bool isTakenAsWritten() const;
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

  // The value of a field of the parser's record, by its index in the
  // kind's fields() (so an onStep callback can read what a step assigned
  // without knowing the kind): a text views the parser's own, valid until
  // the parser changes it. An index out of range throws std::out_of_range.
  virtual FieldValue fieldValue(int field) const = 0;
};

#endif  // XELOPTS_XELOPTIONSPARSER_H
