// SPDX-License-Identifier: MIT
#include "TableText.h"

#include "OutcomeText.h"
#include "TextEscape.h"

namespace xeljob {

std::string wordText(const std::string& word) {
  const bool plain = !word.empty() && printable(word) == word &&
                     word.find_first_of(" \"'") == std::string::npos;
  return plain ? word : quoted(word);
}

std::string wordsText(const std::vector<std::string>& words) {
  return joined(words, " ", wordText);
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

std::string markedText(std::string text, unsigned conversions) {
  if (conversions != 0) {
    text += "  (" + conversionWords(conversions) + ')';
  }
  return text;
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

std::string padded(std::string text, std::size_t width) {
  text.append(text.size() < width ? width - text.size() : 1, ' ');
  return text;
}

}  // namespace xeljob
