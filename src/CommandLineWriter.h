// SPDX-License-Identifier: MIT
// How a job's fields are written as words: the setter rules run backwards,
// shared by the three parsers. A parser's commandLine() hands its fields
// over in the record's order; each is written only when it differs from its
// default, as the option the vocabulary first lists for its code with the
// value as the next word (a value is taken whatever it looks like, so this
// holds with POSIXLY_CORRECT too).
#ifndef XELOPTS_SRC_COMMANDLINEWRITER_H
#define XELOPTS_SRC_COMMANDLINEWRITER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "XelGetOpt.h"
#include "XelOptionsParser.h"

namespace xelopts::detail {

// The fields that begin every kind's record, in its order. The restore
// job has no backup type and no media agent: null there.
struct LeadingFields {
  std::int64_t jobId;
  std::uint64_t applicationNumber;
  std::uint64_t quorvelId;
  const std::string& virtualMachine;
  const std::uint64_t* backupType;
  const std::string& jobToken;
  const std::string& clientMachine;
  const std::string* mediaAgent;
};

// The vocabulary's first entry of each code, -1 for none: a look-up per
// option instead of a walk through the vocabulary, made once per kind.
struct CodeIndex {
  constexpr explicit CodeIndex(const XelOptionsParser::Vocabulary& vocabulary) {
    for (signed char& entry : entryOf) {
      entry = -1;
    }
    for (int i = vocabulary.count - 1; i >= 0; --i) {
      const auto code = static_cast<unsigned char>(vocabulary.options[i].code);
      if (code < 128) {
        entryOf[code] = static_cast<signed char>(i);
      }
    }
  }
  signed char entryOf[128]{};
};

class CommandLineWriter {
 public:
  // Room for the words of that many fields.
  CommandLineWriter(const XelOptionsParser::Vocabulary& vocabulary,
                    const CodeIndex& index, std::size_t fields);

  // With the options every kind spells alike: -j ID (read as a signed
  // 32-bit number), -a QUORVEL:APPLICATION (the one option that sets
  // both), -vm, -t, -jt, -cn and -d.
  void leadingFields(const LeadingFields& fields);
  // The option and the number in decimal.
  void number(char code, std::uint64_t number);
  // The option and the text, which no NUL byte may hold; the empty text is
  // every text's default.
  void text(char code, const char* accessor, const std::string& text);
  // The option of a flag that is set. An option that takes a value it never
  // reads (a restore job's -rbs) gets "1".
  void flag(char code, bool set);
  // A flag whose option always sets a second flag too: refused when it is
  // set without the second.
  void flagWithPair(char code, const char* accessor, bool set, bool pairSet);
  // The settings cannot come from any command line; the first refusal, in
  // the record's order, is the one told.
  void refuse(const char* accessor, XelOptionsParser::Unwritable reason);

  // The words, or none and the refusal.
  XelOptionsParser::CommandLine finish();

 private:
  void jobId(std::int64_t jobId);
  void applicationNumber(std::uint64_t applicationNumber,
                         std::uint64_t quorvelId);
  // Appends the option of the code; returns whether it takes a value.
  XelGetOpt::ParamType option(char code);

  const XelOptionsParser::Vocabulary& vocabulary_;
  const CodeIndex& index_;
  XelOptionsParser::CommandLine line_;
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_COMMANDLINEWRITER_H
