// SPDX-License-Identifier: MIT
#include "JsonLine.h"

#include <cstddef>
#include <cstring>

namespace xeljob {
namespace {

bool isEmptyObject(const std::string& object) {
  return object.compare(0, 2, "{}") == 0;
}

}  // namespace

std::string joinedObjects(const std::string& first, const std::string& second) {
  if (isEmptyObject(first)) {
    return second;
  }
  if (isEmptyObject(second)) {
    return first;
  }
  // "{\n  a\n}\n" and "{\n  b\n}\n" make "{\n  a,\n  b\n}\n".
  return first.substr(0, first.rfind("\n}")) + ",\n" + second.substr(2);
}

void appendOneLine(std::string& out, const std::string& document,
                   std::size_t from) {
  // Every line end in the document is layout: strings hold escapes only.
  const char* at = document.data() + from;
  const char* const end = document.data() + document.size();
  while (at < end) {
    const auto* lineEnd = static_cast<const char*>(
        std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    if (lineEnd == nullptr) {
      out.append(at, end);
      return;
    }
    out.append(at, lineEnd);
    at = lineEnd + 1;
    while (at < end && *at == ' ') {
      ++at;
    }
    const bool inside = out.empty() || out.back() == '{' || out.back() == '[' ||
                        at == end || *at == '}' || *at == ']';
    if (!inside) {
      out += ' ';
    }
  }
}

}  // namespace xeljob
