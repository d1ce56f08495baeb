// SPDX-License-Identifier: MIT
#include "TextEscape.h"

#include <array>
#include <cstddef>

namespace xeljob {
namespace {

// Length of the valid UTF-8 sequence at text[at], 0 when there is none
// (RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF).
std::size_t utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned lead = byte(at);
  if (lead < 0x80) {
    return 1;
  }
  std::size_t length = 0;
  unsigned low = 0x80;  // allowed range of the second byte
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned next = byte(at + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
      return 0;
    }
  }
  return length;
}

// Printable ASCII that a JSON string holds as it is: not '"' or '\\'.
bool isPlainAscii(char c) {
  static const auto kPlain = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = ' '; byte < 0x7F; ++byte) {
      plain[byte] = byte != '"' && byte != '\\';
    }
    return plain;
  }();
  return kPlain[static_cast<unsigned char>(c)];
}

void appendHex(std::string& out, unsigned byte) {
  static const char digits[] = "0123456789abcdef";
  out += digits[(byte >> 4) & 0xF];
  out += digits[byte & 0xF];
}

std::string escapeForPeople(const std::string& text, bool inQuotes) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = utf8Length(text, at);
    // U+0080 to U+009F are control characters as well.
    const bool c1Control = length == 2 && byte == 0xC2 &&
                           static_cast<unsigned char>(text[at + 1]) < 0xA0;
    if (length > 1 && !c1Control) {
      out.append(text, at, length);
      at += length;
      continue;
    }
    if (length == 0 || c1Control) {
      length = c1Control ? 2 : 1;
      for (std::size_t i = 0; i < length; ++i) {
        out += "\\x";
        appendHex(out, static_cast<unsigned char>(text[at + i]));
      }
      at += length;
      continue;
    }
    switch (byte) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '"':
        out += inQuotes ? "\\\"" : "\"";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          appendHex(out, byte);
        } else {
          out += static_cast<char>(byte);
        }
    }
    ++at;
  }
  return out;
}

}  // namespace

std::size_t firstNonUtf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = utf8Length(text, at);
    if (length == 0) {
      return at;
    }
    at += length;
  }
  return std::string::npos;
}

std::string printable(const std::string& text) {
  return escapeForPeople(text, false);
}

std::string quoted(const std::string& text) {
  return '"' + escapeForPeople(text, true) + '"';
}

std::string shellWord(const std::string& word) {
  static const char kPlain[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
      "_@%+=:,./-";
  if (!word.empty() && word.find_first_not_of(kPlain) == std::string::npos) {
    return word;
  }
  std::string out = "'";
  for (const char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t at = 0; at < text.size();) {
    // Printable ASCII but the quote and the backslash goes in runs.
    std::size_t plain = at;
    while (plain < text.size() && isPlainAscii(text[plain])) {
      ++plain;
    }
    if (plain > at) {
      out.append(text.data() + at, plain - at);
      at = plain;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t length = utf8Length(text, at);
    if (length == 2 && byte == 0xC2 &&
        static_cast<unsigned char>(text[at + 1]) < 0xA0) {
      // U+0080 to U+009F: control characters, escaped like the C0 ones.
      out += "\\u00";
      appendHex(out, static_cast<unsigned char>(text[at + 1]));
      at += 2;
      continue;
    }
    if (length > 1) {
      out.append(text.data() + at, length);
      at += length;
      continue;
    }
    ++at;
    if (length == 0) {
      out += "\\udc";
      appendHex(out, byte);
      continue;
    }
    switch (byte) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\u00";
          appendHex(out, byte);
        } else {
          out += static_cast<char>(byte);
        }
    }
  }
  out += '"';
}

}  // namespace xeljob
