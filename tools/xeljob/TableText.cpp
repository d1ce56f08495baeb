// SPDX-License-Identifier: MIT
#include "TableText.h"

#include "TextEscape.h"

namespace xeljob {

// A word as it stands, or quoted when it is empty or needs escapes.
std::string wordText(const std::string& word) {
  const std::string shown = printable(word);
  const bool plain = !word.empty() && shown == word &&
                     word.find_first_of(" \"'") == std::string::npos;
  return plain ? word : quoted(word);
}

std::string wordsText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) {
      text += ' ';
    }
    text += wordText(word);
  }
  return text;
}

std::string valueText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return quoted(*text);
  }
  if (const auto* truth = std::get_if<bool>(&value)) {
    return *truth ? "true" : "false";
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return std::to_string(*number);
  }
  return std::to_string(std::get<std::uint64_t>(value));
}

std::string countText(std::size_t count, const char* noun) {
  return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

std::string codeText(int code) {
  if (code > ' ' && code < 0x7F) {
    return std::string("'") + static_cast<char>(code) + "'";
  }
  return std::to_string(code);
}

void padTo(std::string& out, std::size_t from, std::size_t width) {
  const std::size_t used = out.size() - from;
  out.append(used < width ? width - used : 1, ' ');
}

}  // namespace xeljob
