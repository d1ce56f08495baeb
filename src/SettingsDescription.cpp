// SPDX-License-Identifier: MIT
#include "SettingsDescription.h"

namespace xelopts::detail {

void appendQuoted(std::string& text, const std::string& value) {
  static const char kHex[] = "0123456789abcdef";
  text += '"';
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte < 0x20 || byte > 0x7E) {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    } else {
      text += c;
    }
  }
  text += '"';
}

}  // namespace xelopts::detail
