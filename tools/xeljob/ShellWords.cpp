// SPDX-License-Identifier: MIT
#include "ShellWords.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace xeljob {
namespace {

// A blank, a quote or a backslash.
bool isSpecial(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\\' || c == '\'' ||
         c == '"';
}

std::string unclosed(char quote, std::size_t at) {
  return std::string("no closing ") + quote + " for the quote at column " +
         std::to_string(at + 1);
}

// Appends the double-quoted text that starts after line[open]; returns the
// index of the closing quote, or line.size() when there is none.
std::size_t takeDoubleQuoted(const std::string& line, std::size_t open,
                             std::string& word) {
  std::size_t at = open + 1;
  for (; at < line.size() && line[at] != '"'; ++at) {
    const bool escapes = line[at] == '\\' && at + 1 < line.size() &&
                         std::strchr("$`\"\\\n", line[at + 1]) != nullptr;
    if (escapes) {
      ++at;
      if (line[at] != '\n') {  // a backslash and a line end join lines
        word += line[at];
      }
      continue;
    }
    word += line[at];
  }
  return at;
}

}  // namespace

ShellWords splitShellWords(const std::string& line) {
  ShellWords result;
  // No more words than blanks, and one.
  result.words.reserve(1 + static_cast<std::size_t>(std::count_if(
                               line.begin(), line.end(), [](char c) {
                                 return c == ' ' || c == '\t' || c == '\n';
                               })));
  std::string word;
  bool inWord = false;  // a word has begun, perhaps an empty quoted one
  for (std::size_t at = 0; at < line.size(); ++at) {
    switch (line[at]) {
      case ' ':
      case '\t':
      case '\n':
        if (inWord) {
          result.words.push_back(std::move(word));
          word.clear();
          inWord = false;
        }
        break;
      case '\\':
        if (at + 1 == line.size()) {
          return {{}, "a backslash ends the line, escaping nothing"};
        }
        ++at;
        if (line[at] != '\n') {
          word += line[at];
          inWord = true;
        }
        break;
      case '\'': {
        const std::size_t close = line.find('\'', at + 1);
        if (close == std::string::npos) {
          return {{}, unclosed('\'', at)};
        }
        word.append(line, at + 1, close - at - 1);
        at = close;
        inWord = true;
        break;
      }
      case '"': {
        const std::size_t close = takeDoubleQuoted(line, at, word);
        if (close == line.size()) {
          return {{}, unclosed('"', at)};
        }
        at = close;
        inWord = true;
        break;
      }
      default: {
        // Up to the next byte that means something, at once.
        std::size_t end = at + 1;
        while (end < line.size() && !isSpecial(line[end])) {
          ++end;
        }
        word.append(line, at, end - at);
        at = end - 1;
        inWord = true;
      }
    }
  }
  if (inWord) {
    result.words.push_back(std::move(word));
  }
  return result;
}

}  // namespace xeljob
