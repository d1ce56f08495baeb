// SPDX-License-Identifier: MIT
#include "SettingsDescription.h"

namespace xelopts::detail {

void SettingsDescription::name(const char* name) {
  if (!text_.empty()) {
    text_ += ' ';
  }
  text_ += name;
  text_ += '=';
}

void SettingsDescription::add(const char* name, std::int64_t value) {
  this->name(name);
  text_ += std::to_string(value);
}

void SettingsDescription::add(const char* name, std::uint64_t value) {
  this->name(name);
  text_ += std::to_string(value);
}

void SettingsDescription::add(const char* name, bool value) {
  this->name(name);
  text_ += value ? "true" : "false";
}

void SettingsDescription::add(const char* name, const std::string& value) {
  static const char kHex[] = "0123456789abcdef";
  this->name(name);
  text_ += '"';
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (byte < 0x20 || byte > 0x7E) {
      text_ += "\\x";
      text_ += kHex[byte >> 4];
      text_ += kHex[byte & 0xF];
    } else {
      text_ += c;
    }
  }
  text_ += '"';
}

}  // namespace xelopts::detail
