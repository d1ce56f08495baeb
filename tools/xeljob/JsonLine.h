// SPDX-License-Identifier: MIT
// Documents that JsonWriter wrote, reshaped: two objects joined into one,
// and a document on one line, as JSON Lines wants it.
#ifndef XELJOB_JSONLINE_H
#define XELJOB_JSONLINE_H

#include <cstddef>
#include <string>

namespace xeljob {

// The members of `first`, then those of `second`: both top-level objects
// as JsonWriter writes them (indented, ending with a line end).
std::string joinedObjects(const std::string& first, const std::string& second);

// Appends the document, from `from` on, to out without its line ends and
// indentation: ", " between items, nothing inside brackets. JsonWriter
// escapes every line end in a string, so only the layout goes.
void appendOneLine(std::string& out, const std::string& document,
                   std::size_t from);

}  // namespace xeljob

#endif  // XELJOB_JSONLINE_H
