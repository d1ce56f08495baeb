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
  const std::size_t length = lead < 0xC2   ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  // The allowed range of the second byte.
  const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (length == 0 || at + length > text.size()) {
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

// The one walk of a text: printable ASCII and valid UTF-8 pass as they
// are; escape(out, unit, byte) writes everything else, unit by unit.
enum class Unit {
  ascii,      // a control character, '"' or '\\'
  c1Control,  // U+0080 to U+009F; byte is its second byte
  notUtf8,    // a byte that is not part of valid UTF-8
};

template <class Escape>
void walk(std::string& out, std::string_view text, Escape escape) {
  for (std::size_t at = 0; at < text.size();) {
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
      escape(out, Unit::c1Control, static_cast<unsigned char>(text[at + 1]));
    } else if (length > 1) {
      out.append(text.data() + at, length);
    } else {
      escape(out, length == 0 ? Unit::notUtf8 : Unit::ascii, byte);
    }
    at += length > 1 ? length : 1;
  }
}

// Writes a byte's short escape, a backslash and the letter that `pairs`
// (each a byte and its letter) give it, or else `prefix` and its hex.
void appendEscape(std::string& out, const char* pairs, const char* prefix,
                  unsigned byte) {
  for (; *pairs != '\0'; pairs += 2) {
    if (static_cast<unsigned char>(*pairs) == byte) {
      out += '\\';
      out += pairs[1];
      return;
    }
  }
  out += prefix;
  out += "0123456789abcdef"[(byte >> 4) & 0xF];
  out += "0123456789abcdef"[byte & 0xF];
}

std::string escapeForPeople(std::string_view text, bool inQuotes) {
  std::string out;
  out.reserve(text.size());
  walk(out, text, [inQuotes](std::string& to, Unit unit, unsigned byte) {
    if (byte == '"' && !inQuotes) {
      to += '"';
    } else {
      appendEscape(to, "\\\\\nn\tt\rr\"\"",
                   unit == Unit::c1Control ? "\\xc2\\x" : "\\x", byte);
    }
  });
  return out;
}

}  // namespace

std::size_t firstNonUtf8(std::string_view text) {
  for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
    // ASCII, most of a line, without the call.
    length =
        static_cast<unsigned char>(text[at]) < 0x80 ? 1 : utf8Length(text, at);
    if (length == 0) {
      return at;
    }
  }
  return std::string::npos;
}

std::string printable(std::string_view text) {
  return escapeForPeople(text, false);
}

std::string quoted(std::string_view text) {
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
    out += c;
    if (c == '\'') {
      out += "\\''";  // the quote closes, then an escaped one and a new quote
    }
  }
  return out + "'";
}

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  walk(out, text, [](std::string& to, Unit unit, unsigned byte) {
    appendEscape(to, "\"\"\\\\\bb\ff\nn\rr\tt",
                 unit == Unit::notUtf8 ? "\\udc" : "\\u00", byte);
  });
  out += '"';
}

}  // namespace xeljob
