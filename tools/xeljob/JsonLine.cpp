// SPDX-License-Identifier: MIT
#include "JsonLine.h"

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

}  // namespace xeljob
