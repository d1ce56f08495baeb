// SPDX-License-Identifier: MIT
// A kind's settings as one line of text, for tests and logs: name=value for
// every member, in order, texts in double quotes.
#ifndef XELOPTS_SRC_SETTINGSDESCRIPTION_H
#define XELOPTS_SRC_SETTINGSDESCRIPTION_H

#include <string>
#include <type_traits>

namespace xelopts::detail {

// Quoted; a quote, a backslash and any byte outside printable ASCII are
// escaped (\", \\, \xHH), so that every byte shows.
void appendQuoted(std::string& text, const std::string& value);

// " name=value" (no space first).
template <class Value>
void appendMember(std::string& text, const char* name, const Value& value) {
  text.append(text.empty() ? "" : " ").append(name).append("=");
  if constexpr (std::is_same_v<Value, std::string>) {
    appendQuoted(text, value);
  } else if constexpr (std::is_same_v<Value, bool>) {
    text.append(value ? "true" : "false");
  } else {
    text.append(std::to_string(value));
  }
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SETTINGSDESCRIPTION_H
