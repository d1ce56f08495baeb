// SPDX-License-Identifier: MIT
// How texts from the command line, which may hold any bytes, are written
// out. Valid UTF-8 passes unchanged; everything else is escaped.
#ifndef XELJOB_TEXTESCAPE_H
#define XELJOB_TEXTESCAPE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace xeljob {

// Where the first byte that is not part of valid UTF-8 stands; npos when
// every byte is.
std::size_t firstNonUtf8(std::string_view text);
// For people: control characters and bytes that are not UTF-8 become \xHH
// (\n, \t and \r keep their short forms), a backslash becomes \\.
std::string printable(std::string_view text);
// printable() between double quotes, with \" for a quote inside.
std::string quoted(std::string_view text);
// A word for a POSIX shell, which reads it back as exactly these bytes: as
// it is when every character is one no shell treats specially, else in
// single quotes ('\'' for a quote inside), other bytes kept as they are.
std::string shellWord(const std::string& word);
// Appends a JSON string literal to out; control characters (C0, DEL, C1) are
// escaped. A byte that is not part of valid UTF-8 becomes the lone surrogate
// \udcHH (HH the byte, 80 to ff), as in the "surrogate escape" convention, so
// that a reader can restore the exact bytes.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace xeljob

#endif  // XELJOB_TEXTESCAPE_H
