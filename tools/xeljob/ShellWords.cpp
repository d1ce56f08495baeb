// SPDX-License-Identifier: MIT
#include "ShellWords.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace xeljob {
namespace {

// Appends the quoted text that starts after line[open], a ' or a "; returns
// the index of the closing quote, or line.size() when there is none.
std::size_t takeQuoted(std::string_view line, std::size_t open,
                       std::string& word) {
  const char quote = line[open];
  std::size_t at = open + 1;
  for (; at < line.size() && line[at] != quote; ++at) {
    const bool escapes = quote == '"' && line[at] == '\\' &&
                         at + 1 < line.size() &&
                         std::strchr("$`\"\\\n", line[at + 1]) != nullptr;
    // A backslash and a line end join lines.
    if (!escapes || line[++at] != '\n') {
      word += line[at];
    }
  }
  return at;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Ends a run of plain bytes (a test, not a strchr a byte: 600 instructions
// of a --lines line).
bool isSpecial(char c) {
  return isBlank(c) || c == '\\' || c == '\'' || c == '"';
}

}  // namespace

ShellWords splitShellWords(std::string_view line, bool comments) {
  ShellWords result;
  // No more words than blanks, and one.
  result.words.reserve(1 + static_cast<std::size_t>(std::count_if(
                               line.begin(), line.end(), isBlank)));
  std::string word;
  bool inWord = false;  // a word has begun, perhaps an empty quoted one
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (isBlank(c)) {
      if (inWord) {
        result.words.push_back(std::move(word));
        word.clear();
        inWord = false;
      }
    } else if (c == '\\') {
      if (at + 1 == line.size()) {
        return {{}, "a backslash ends the line, escaping nothing"};
      }
      if (line[++at] != '\n') {  // a backslash and a line end join lines
        word += line[at];
        inWord = true;
      }
    } else if (c == '\'' || c == '"') {
      const std::size_t close = takeQuoted(line, at, word);
      if (close == line.size()) {
        return {{},
                std::string("no closing ") + c + " for the quote at column " +
                    std::to_string(at + 1)};
      }
      at = close;
      inWord = true;
    } else if (c == '#' && comments && !inWord) {
      at = std::min(line.find('\n', at), line.size()) - 1;
    } else {
      // Up to the next blank, quote or backslash, at once.
      std::size_t next = at + 1;
      while (next < line.size() && !isSpecial(line[next])) {
        ++next;
      }
      word.append(line, at, next - at);
      at = next - 1;
      inWord = true;
    }
  }
  if (inWord) {
    result.words.push_back(std::move(word));
  }
  return result;
}

}  // namespace xeljob
