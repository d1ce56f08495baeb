// SPDX-License-Identifier: MIT
// The pieces of the tool's tables for people: words, values, counts and
// option codes, and the padding of their columns.
#ifndef XELJOB_TABLETEXT_H
#define XELJOB_TABLETEXT_H

#include <cstddef>
#include <string>
#include <vector>

#include "JobKinds.h"

namespace xeljob {

// A word as it stands, or quoted() when it is empty or holds a blank, a
// quote or a byte that must be escaped; words separated by spaces.
std::string wordText(const std::string& word);
std::string wordsText(const std::vector<std::string>& words);
// The texts of the items, separated.
template <class Items, class Text>
std::string joined(const Items& items, const char* separator, Text text) {
  std::string out;
  bool first = true;
  for (const auto& item : items) {
    out += first ? "" : separator;
    out += text(item);
    first = false;
  }
  return out;
}
// A value: a text in double quotes, numbers in decimal, true or false.
std::string valueText(const Value& value);
// The text, and how a value was not taken as written: "12  (text after the
// number ignored)"; the text alone without conversions.
std::string markedText(std::string text, unsigned conversions);
// "1 word", "3 words".
std::string countText(std::size_t count, const char* noun);
// 'j' for a printable code, else its number.
std::string codeText(int code);
// A column's cell: the text padded with blanks to `width` bytes, one blank
// at least.
std::string padded(std::string text, std::size_t width);

}  // namespace xeljob

#endif  // XELJOB_TABLETEXT_H
