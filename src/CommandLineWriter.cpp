// SPDX-License-Identifier: MIT
#include "CommandLineWriter.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

#include "JobFields.h"

namespace xelopts::detail {

using Unwritable = XelOptionsParser::Unwritable;

CommandLineWriter::CommandLineWriter(
    const XelOptionsParser::Vocabulary& vocabulary, const CodeIndex& index,
    std::size_t fields)
    : vocabulary_(vocabulary), index_(index) {
  line_.words.reserve(2 * fields);
}

XelGetOpt::ParamType CommandLineWriter::option(char code) {
  // Every code a kind writes is an ASCII letter of its own vocabulary.
  const int index = index_.entryOf[static_cast<unsigned char>(code) & 0x7F];
  assert(index >= 0);
  const XelOptionsParser::OptionSpec& entry = vocabulary_.options[index];
  // The dash and the name, built in one piece.
  const std::size_t size =
      entry.name != nullptr ? std::char_traits<char>::length(entry.name) : 1;
  std::string& word = line_.words.emplace_back(size + 1, '-');
  if (entry.name != nullptr) {
    std::copy_n(entry.name, size, &word[1]);
  } else {
    word[1] = code;
  }
  return entry.kind;
}

void CommandLineWriter::leadingFields(const LeadingFields& fields) {
  jobId(fields.jobId);
  applicationNumber(fields.applicationNumber, fields.quorvelId);
  text('v', "getVirtualMachine", fields.virtualMachine);
  if (fields.backupType != nullptr) {
    number('t', *fields.backupType);
  }
  text('s', "getJobToken", fields.jobToken);
  text('c', "getClientMachine", fields.clientMachine);
  if (fields.mediaAgent != nullptr) {
    text('d', "getMediaAgent", *fields.mediaAgent);
  }
}

void CommandLineWriter::jobId(std::int64_t jobId) {
  if (jobId == kDefaultJobId) {
    return;
  }
  if (jobId < std::numeric_limits<std::int32_t>::min() ||
      jobId > std::numeric_limits<std::int32_t>::max()) {
    refuse("getJobId", Unwritable::jobIdOutOf32Bits);
    return;
  }
  option('j');
  line_.words.push_back(std::to_string(jobId));
}

void CommandLineWriter::applicationNumber(std::uint64_t applicationNumber,
                                          std::uint64_t quorvelId) {
  if (applicationNumber == kDefaultApplicationNumber &&
      quorvelId == kDefaultQuorvelId) {
    return;
  }
  option('a');
  line_.words.push_back(std::to_string(quorvelId) + ':' +
                        std::to_string(applicationNumber));
}

void CommandLineWriter::number(char code, std::uint64_t number) {
  if (number == kDefaultNumber) {
    return;
  }
  option(code);
  line_.words.push_back(std::to_string(number));
}

void CommandLineWriter::text(char code, const char* accessor,
                             const std::string& text) {
  if (text.empty()) {
    return;
  }
  if (text.find('\0') != std::string::npos) {
    refuse(accessor, Unwritable::nulInText);
    return;
  }
  option(code);
  line_.words.push_back(text);
}

void CommandLineWriter::flag(char code, bool set) {
  if (set && option(code) == XelGetOpt::required_argument) {
    line_.words.emplace_back("1");
  }
}

void CommandLineWriter::flagWithPair(char code, const char* accessor, bool set,
                                     bool pairSet) {
  if (set && !pairSet) {
    refuse(accessor, Unwritable::flagWithoutItsPair);
    return;
  }
  flag(code, set);
}

void CommandLineWriter::refuse(const char* accessor, Unwritable reason) {
  if (line_.isWritten()) {
    line_.field = accessor;
    line_.reason = reason;
  }
}

XelOptionsParser::CommandLine CommandLineWriter::finish() {
  if (!line_.isWritten()) {
    line_.words.clear();
  }
  return std::move(line_);
}

}  // namespace xelopts::detail
