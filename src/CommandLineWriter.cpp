// SPDX-License-Identifier: MIT
#include "CommandLineWriter.h"

#include <utility>

namespace xelopts::detail {

CommandLineWriter::CommandLineWriter(std::size_t words) {
  line_.words.reserve(words);
}

void CommandLineWriter::option(const Option& option, std::string_view value) {
  line_.words.emplace_back(option.word);
  if (option.takesValue) {
    line_.words.emplace_back(value);
  }
}

void CommandLineWriter::text(const Option& option, const char* accessor,
                             const std::string& text, std::size_t from) {
  if (text.find('\0', from) != std::string::npos) {
    refuse(accessor, XelOptionsParser::Unwritable::nulInText);
  } else {
    this->option(option, std::string_view(text).substr(from));
  }
}

void CommandLineWriter::refuse(const char* accessor,
                               XelOptionsParser::Unwritable reason) {
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
