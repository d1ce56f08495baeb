// SPDX-License-Identifier: MIT
// What a job kind publishes about itself as data: its command-line
// vocabulary and the fields of its record. Each concrete parser gives its
// own through static vocabulary() and fields(), so that a program can list
// a kind's options and read any field without knowing the kind.
#ifndef XELOPTS_FIELDS_H
#define XELOPTS_FIELDS_H

#include <bitset>
#include <cstdint>
#include <string_view>
#include <variant>

#include "XelGetOpt.h"

namespace xelopts {

// An accessor whose value an option can change, and whether the option
// appends to that value (a backup job's restart entries) or replaces it.
struct Change {
  const char* accessor;  // "getJobId"; null ends a list
  bool appends;
  int field;  // its index in the kind's fields()
};

// One word of a vocabulary: a short-option letter (name null) or a long
// name, with the code the scanner returns for it, and what it changes.
struct OptionSpec {
  const char* name;  // long name, or null for a short-option letter
  XelGetOpt::ParamType kind;
  char code;
  // The accessors whose values the option can change, in the record's
  // order, ending with a null accessor (the restore job's -phase has none).
  const Change* changes;
};

// A job kind's vocabulary: its short-option string, then its options, the
// short letters first and the long names in their registration order.
struct Vocabulary {
  const char* shortOptions;
  const OptionSpec* options;
  int count;
};

// The type of a field's value: std::string, std::int64_t, std::uint64_t
// or bool.
enum class FieldType : unsigned char {
  text,
  signedNumber,
  unsignedNumber,
  flag
};

// A field's value, read in place: its alternative is the field's type, in
// FieldType's order. It owns nothing: a text views the settings or parser
// it was read from, valid while that lives and is not changed.
using FieldValue =
    std::variant<std::string_view, std::int64_t, std::uint64_t, bool>;

// One field of a kind's record: what an accessor shows, and the member of
// Settings that holds it.
struct FieldSpec {
  const char* accessor;  // "getJobId"
  const char* member;    // "jobId"
  FieldType type;
  FieldValue initial;  // a default-constructed Settings' value
  // The options that write it, as indexes in the kind's vocabulary, in its
  // order; and whether they append to it instead of replacing it.
  const int* options;
  int optionCount;
  bool appends;
  const char* meaning;  // one short line
};

// A kind's fields, in the record's order.
struct FieldTable {
  const FieldSpec* fields;
  int count;

  const FieldSpec* begin() const { return fields; }
  const FieldSpec* end() const { return fields + count; }
  const FieldSpec& operator[](int field) const { return fields[field]; }
};

// The fields of a kind, as bits by their index: no kind has more.
using FieldSet = std::bitset<32>;

}  // namespace xelopts

#endif  // XELOPTS_FIELDS_H
