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
// A value: a text in double quotes, numbers in decimal, true or false.
std::string valueText(const Value& value);
// "1 word", "3 words".
std::string countText(std::size_t count, const char* noun);
// 'j' for a printable code, else its number.
std::string codeText(int code);
// Pads what was appended to out since `from` to `width` bytes, with one
// blank at least.
void padTo(std::string& out, std::size_t from, std::size_t width);

}  // namespace xeljob

#endif  // XELJOB_TABLETEXT_H
