// SPDX-License-Identifier: MIT
#include "JsonWriter.h"

#include <cstring>

#include "TextEscape.h"

namespace xeljob {

void JsonWriter::newline() {
  out_ += '\n';
  out_.append(2 * levels_.size(), ' ');
}

void JsonWriter::beforeItem() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) {
    return;
  }
  Level& level = levels_.back();
  if (!level.empty) {
    out_ += ',';
    if (level.compact) {
      out_ += ' ';
    }
  }
  if (!level.compact) {
    newline();
  }
  level.empty = false;
}

void JsonWriter::open(char bracket, bool compact) {
  beforeItem();
  out_ += bracket;
  const bool insideCompact = !levels_.empty() && levels_.back().compact;
  levels_.push_back({compact || insideCompact || oneLine_, true});
}

void JsonWriter::close(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.compact && !level.empty) {
    newline();
  }
  out_ += bracket;
  if (levels_.empty()) {
    out_ += '\n';
  }
}

void JsonWriter::beginObject(bool compact) { open('{', compact); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray(bool compact) { open('[', compact); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::key(const char* name) {
  beforeItem();
  // Keys are names of ours (accessors among them): plain ASCII, no escapes,
  // written in one piece.
  const std::size_t size = std::strlen(name);
  const std::size_t at = out_.size();
  out_.resize(at + size + 4);
  out_[at] = '"';
  std::memcpy(&out_[at + 1], name, size);
  std::memcpy(&out_[at + 1 + size], "\": ", 3);
  afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
  beforeItem();
  appendJsonString(out_, text);
}

void JsonWriter::value(const char* text) {
  text != nullptr ? value(std::string_view(text)) : null();
}

void JsonWriter::value(std::int64_t number) { raw(std::to_string(number)); }
void JsonWriter::value(std::uint64_t number) { raw(std::to_string(number)); }
void JsonWriter::value(bool truth) { raw(truth ? "true" : "false"); }
void JsonWriter::null() { raw("null"); }

void JsonWriter::raw(const std::string& text) {
  beforeItem();
  out_ += text;
}

}  // namespace xeljob
