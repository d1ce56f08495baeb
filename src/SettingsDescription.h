// SPDX-License-Identifier: MIT
// A kind's settings as one line of text, for tests and logs:
// name=value for every member, in order, texts in double quotes.
#ifndef XELOPTS_SRC_SETTINGSDESCRIPTION_H
#define XELOPTS_SRC_SETTINGSDESCRIPTION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>

namespace xelopts::detail {

class SettingsDescription {
 public:
  void add(const char* name, std::int64_t value);
  void add(const char* name, std::uint64_t value);
  void add(const char* name, bool value);
  // Quoted; a quote, a backslash and any byte outside printable ASCII are
  // escaped (\", \\, \xHH), so that every byte shows.
  void add(const char* name, const std::string& value);

  std::string text() const { return text_; }

 private:
  void name(const char* name);

  std::string text_;
};

// The fields (a tuple of references) under their names, in order.
template <class Fields, std::size_t Count>
std::string describe(const char* const (&names)[Count], const Fields& fields) {
  static_assert(std::tuple_size_v<Fields> == Count, "a name for each field");
  SettingsDescription text;
  std::size_t name = 0;
  std::apply(
      [&](const auto&... field) { (text.add(names[name++], field), ...); },
      fields);
  return text.text();
}

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_SETTINGSDESCRIPTION_H
