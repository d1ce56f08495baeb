// SPDX-License-Identifier: MIT
// Compiled, never run: every way a caller may hand the scanner a text, a
// null text included, must pick one overload (built as C++17 and C++20).
// And the reflection types keep their names in the parsers' scope beside
// those of Fields.h, which comes first: it stands on its own.
#include "Fields.h"

#include <cstddef>
#include <type_traits>

#include "BackupOptionsParser.h"
#include "XelGetOpt.h"

static_assert(
    std::is_same_v<BackupOptionsParser::FieldTable, xelopts::FieldTable> &&
    std::is_same_v<XelOptionsParser::Vocabulary, xelopts::Vocabulary>);

// A caller's own text type that converts to a const text.
struct Name {
  operator const char*() const { return "cn"; }  // implicit on purpose
};

void handEveryKindOfText(int argc, char** argv, char* text,
                         const char* constText) {
  XelGetOpt fromNULL(argc, argv, NULL);
  XelGetOpt fromZero(argc, argv, 0);
  XelGetOpt fromNullptr(argc, argv, nullptr);
  XelGetOpt fromText(argc, argv, text);
  XelGetOpt fromConstText(argc, argv, constText);
  XelGetOpt fromLiteral(argc, argv, "j:");
  XelGetOpt fromConverting(argc, argv, Name{});

  XelGetOpt scanner;
  scanner.set_char_options(NULL);
  scanner.set_char_options(0);
  scanner.set_char_options(nullptr);
  scanner.set_char_options(text);
  scanner.set_char_options(constText);
  scanner.set_char_options("j:");
  scanner.set_char_options(Name{});

  scanner.add_long_option(NULL, XelGetOpt::no_argument, 'n');
  scanner.add_long_option(0, XelGetOpt::no_argument, 'n');
  scanner.add_long_option(nullptr, XelGetOpt::no_argument, 'n');
  scanner.add_long_option(text, XelGetOpt::no_argument, 't');
  scanner.add_long_option(constText, XelGetOpt::no_argument, 'c');
  scanner.add_long_option("cn", XelGetOpt::required_argument, 'c');
  scanner.add_long_option(Name{}, XelGetOpt::required_argument, 'c');
}
