// SPDX-License-Identifier: MIT
// Writes one JSON document into a string, indented two spaces per level;
// a container opened as compact keeps all of its items on one line.
#ifndef XELJOB_JSONWRITER_H
#define XELJOB_JSONWRITER_H

#include <cstdint>
#include <string>
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

  void value(const std::string& text);
  void value(const char* text);
  void value(std::int64_t number);
  void value(std::uint64_t number);
  void value(bool truth);
  void null();

 private:
  struct Level {
    bool compact;
    bool empty;
  };
  void open(char bracket, bool compact);
  void close(char bracket);
  void beforeItem();
  void newline();

  std::string& out_;
  bool oneLine_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace xeljob

#endif  // XELJOB_JSONWRITER_H
