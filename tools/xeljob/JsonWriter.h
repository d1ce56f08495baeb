// SPDX-License-Identifier: MIT
// Writes one JSON document into a string, indented two spaces per level;
// a container opened as compact keeps all of its items on one line.
#ifndef XELJOB_JSONWRITER_H
#define XELJOB_JSONWRITER_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace xeljob {

class JsonWriter {
 public:
  // One line: every object and array as a compact one.
  explicit JsonWriter(std::string& out, bool oneLine = false)
      : out_(out), oneLine_(oneLine) {}

  void beginObject(bool compact = false);
  void endObject();
  void beginArray(bool compact = false);
  void endArray();
  // A name of ours: written as it is, without escapes.
  void key(const char* name);

  void value(std::string_view text);
  void value(const char* text);  // null when text is
  void value(std::int64_t number);
  void value(std::uint64_t number);
  void value(bool truth);
  void null();
  // A variant as the value it holds; an optional as its value, or null.
  template <class... Held>
  void value(const std::variant<Held...>& item) {
    std::visit([this](const auto& held) { this->value(held); }, item);
  }
  template <class Held>
  void value(const std::optional<Held>& item) {
    item ? value(*item) : null();
  }
  // The items as an array, a compact one when given as a value.
  template <class Item>
  void array(const std::vector<Item>& items, bool compact) {
    beginArray(compact);
    for (const Item& item : items) {
      value(item);
    }
    endArray();
  }
  template <class Item>
  void value(const std::vector<Item>& items) {
    array(items, true);
  }
  // A key and its value.
  template <class Item>
  void member(const char* name, const Item& item) {
    key(name);
    value(item);
  }

 private:
  struct Level {
    bool compact;
    bool empty;
  };
  void open(char bracket, bool compact);
  void close(char bracket);
  void beforeItem();
  void newline();
  // An item written as it is: a number, true, false or null.
  void raw(const std::string& text);

  std::string& out_;
  bool oneLine_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace xeljob

#endif  // XELJOB_JSONWRITER_H
