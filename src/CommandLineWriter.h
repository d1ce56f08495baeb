// SPDX-License-Identifier: MIT
// A job's command line as words: each option spelled as the vocabulary
// first lists it, its value as the next word (a value is taken whatever it
// looks like, so the words read back with POSIXLY_CORRECT too), or the
// first reason, in the record's order, why no command line gives the
// settings. A kind's declaration decides which options to write.
#ifndef XELOPTS_SRC_COMMANDLINEWRITER_H
#define XELOPTS_SRC_COMMANDLINEWRITER_H

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xelopts/XelOptionsParser.h"

namespace xelopts::detail {

class CommandLineWriter {
 public:
  // An option as a command line spells it.
  struct Option {
    std::string_view word;  // "-j", "-cn"
    bool takesValue;
  };

  // Room for that many words.
  explicit CommandLineWriter(std::size_t words);

  // The option ("-j", "-cn") and its value; an option that takes a value
  // it never reads (a restore job's -rbs) gets "1".
  void option(const Option& option, std::string_view value = "1");
  // The option and a number, or two joined by a colon ("5:57"), written
  // in place: no string of their own.
  template <class Number>
  void number(const Option& option, Number value) {
    char text[kDigits];
    this->option(option, {text, digits(text, value)});
  }
  void numbers(const Option& option, std::uint64_t first,
               std::uint64_t second) {
    char text[2 * kDigits];
    std::size_t size = digits(text, first);
    text[size++] = ':';
    size += digits(text + size, second);
    this->option(option, {text, size});
  }
  // The option and the text from its byte from on, which may hold no NUL.
  void text(const Option& option, const char* accessor, const std::string& text,
            std::size_t from = 0);
  // The settings cannot come from any command line: accessor, the field.
  void refuse(const char* accessor, XelOptionsParser::Unwritable reason);

  // The words, or none and the first refusal.
  XelOptionsParser::CommandLine finish();

 private:
  static constexpr std::size_t kDigits = 21;  // 20 digits or a sign and 19
  // Writes value at text in decimal; its length.
  template <class Number>
  static std::size_t digits(char* text, Number value) {
    return static_cast<std::size_t>(
        std::to_chars(text, text + kDigits, value).ptr - text);
  }

  XelOptionsParser::CommandLine line_;
};

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_COMMANDLINEWRITER_H
