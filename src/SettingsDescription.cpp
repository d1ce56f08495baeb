// SPDX-License-Identifier: MIT
#include "SettingsDescription.h"

namespace xelopts::detail {
namespace {

void appendQuoted(std::string& text, std::string_view value) {
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

}  // namespace

void appendMember(std::string& text, const char* name,
                  const XelOptionsParser::FieldValue& value) {
  text.append(text.empty() ? "" : " ").append(name).append("=");
  std::visit(
      [&text](auto held) {
        if constexpr (std::is_same_v<decltype(held), std::string_view>) {
          appendQuoted(text, held);
        } else if constexpr (std::is_same_v<decltype(held), bool>) {
          text.append(held ? "true" : "false");
        } else {
          text.append(std::to_string(held));
        }
      },
      value);
}

}  // namespace xelopts::detail
