// SPDX-License-Identifier: MIT
// Fuzz target for XelGetOpt: the input chooses the option string, the long
// table and how it is installed, the wrapper, POSIXLY_CORRECT and the
// vector; every call is checked against what must hold for any input.
//
// Layout: one header byte, the option string, the long options, then the
// words of the vector separated by NUL bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "Invariants.h"
#include "XelGetOpt.h"

namespace {

enum Wrapper { kGetopt, kGetoptLong, kGetoptLongOnly, kCallOperator };
enum TableMode { kNoTable, kAdded, kInstalled, kAddedAfterInstalled };

struct LongSpec {
  std::string name;
  int kind;
  bool flagged;
  int val;
};

int widen(char c) { return static_cast<signed char>(c); }

XelGetOpt::ParamType kind_from(std::uint8_t byte) {
  switch (byte % 8) {
    case 0:
    case 1:
    case 2:
      return XelGetOpt::no_argument;
    case 3:
    case 4:
    case 5:
      return XelGetOpt::required_argument;
    case 6:
      return XelGetOpt::ParamType(2);
    default:
      return XelGetOpt::ParamType(-static_cast<int>(byte));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzInput in(data, size);
  const std::uint8_t header = in.byte();
  const auto wrapper = static_cast<Wrapper>(header & 3);
  const bool posixly = (header >> 2) & 1;
  const auto table_mode = static_cast<TableMode>((header >> 3) & 3);
  // Diagnostics on one input in eight: enough to cover them, few writes.
  const int opterr = ((header >> 5) & 7) == 0 ? 1 : 0;

  // The letter 0xFF, and a long option of value -1, come back as -1 (codes
  // are widened signed chars) and would end the caller's loop early: such
  // tables are the caller's mistake, so they are left out.
  std::string optstring = in.text(24);
  std::replace(optstring.begin(), optstring.end(), '\xff', '\xfe');
  std::vector<LongSpec> records;
  const int long_count = in.below(40);
  for (int i = 0; i < long_count && !in.empty(); ++i) {
    LongSpec record;
    const std::uint8_t kind_byte = in.byte();
    record.kind = kind_from(kind_byte);
    record.flagged = (kind_byte & 0x80) != 0;
    record.val = widen(static_cast<char>(in.byte()));
    if (record.val == -1) {
      record.val = -2;
    }
    record.name = in.text(8);
    records.push_back(record);
  }
  std::vector<std::string> words{"prog"};
  for (std::string& w : in.words(300)) {
    words.push_back(std::move(w));
  }

  OwnedVector vector(words);
  char** argv = vector.argv();
  const int argc = vector.argc();
  const std::vector<char*>& original_order = vector.original();

  std::vector<int> flags(records.size(), 0);
  std::vector<XelGetOpt::option> table;
  for (std::size_t i = 0; i < records.size(); ++i) {
    table.push_back({records[i].name.c_str(),
                     XelGetOpt::ParamType(records[i].kind),
                     records[i].flagged ? &flags[i] : nullptr, records[i].val});
  }
  table.push_back({nullptr, XelGetOpt::no_argument, nullptr, 0});

  if (posixly) {
    setenv("POSIXLY_CORRECT", "", 1);
  } else {
    unsetenv("POSIXLY_CORRECT");
  }

  XelGetOpt scanner(argc, argv, optstring.c_str());
  scanner.opterr = opterr;
  if (wrapper == kCallOperator) {
    if (table_mode == kInstalled || table_mode == kAddedAfterInstalled) {
      scanner.set_long_options(table.data());
    }
    if (table_mode == kAdded || table_mode == kAddedAfterInstalled) {
      for (const LongSpec& s : records) {
        scanner.add_long_option(s.name.c_str(), XelGetOpt::ParamType(s.kind),
                                static_cast<char>(s.val));
      }
    }
    require(table_mode != kAdded || records.empty() ||
                scanner.long_count ==
                    static_cast<int>(std::min<std::size_t>(31, records.size())),
            "add_long_option keeps at most 31 records");
  }

  // Every code the scanner may return for this input.
  std::set<int> codes{-1, '?', ':'};
  if (optstring[0] == '-') {
    codes.insert(1);
  }
  for (const char* p = optstring.c_str(); *p != '\0'; ++p) {
    codes.insert(widen(*p));
  }
  for (const LongSpec& s : records) {
    codes.insert(s.val);
    if (s.flagged) {
      codes.insert(0);
    }
  }

  int index = -1;
  auto call = [&]() {
    index = -1;
    switch (wrapper) {
      case kGetopt:
        return scanner.getopt(argc, argv, optstring.c_str());
      case kGetoptLong:
        return scanner.getopt_long(argc, argv, optstring.c_str(), table.data(),
                                   &index);
      case kGetoptLongOnly:
        return scanner.getopt_long_only(argc, argv, optstring.c_str(),
                                        table.data(), &index);
      case kCallOperator:
        break;
    }
    return scanner();
  };

  int total_letters = 0;
  for (const std::string& w : words) {
    total_letters += static_cast<int>(w.size());
  }
  const int budget = total_letters + argc + 2;
  bool ended = false;
  // What each call consumed (the elements themselves) and where the scan
  // says they will stand once it is over.
  std::vector<std::pair<int, std::vector<char*>>> consumed;
  for (int calls = 0; calls < budget && !ended; ++calls) {
    const int code = call();
    ended = code == -1;
    const XelGetOpt::consumed_words step = scanner.consumed();
    require(
        step.count >= 0 && step.first >= 0 && step.first + step.count <= argc,
        "a call consumes elements of the vector");
    consumed.emplace_back(
        step.position,
        std::vector<char*>(argv + step.first, argv + step.first + step.count));
    require(codes.count(code) == 1, "a code the scanner may return");
    require(vector.is_permutation(), "the vector is a permutation");
    require(
        scanner.optarg() == nullptr || vector.inside_a_word(scanner.optarg()),
        "optarg points into an element");
    require(!ended || scanner.optarg() == nullptr, "no argument with -1");
    require(0 <= scanner.optind && scanner.optind <= argc,
            "optind inside the vector");
    require(index >= -1 && index < static_cast<int>(records.size()),
            "long index inside the table");
    if (scanner.ordering == XelGetOpt::PERMUTE && !ended) {
      require(1 <= scanner.first_nonopt &&
                  scanner.first_nonopt <= scanner.last_nonopt &&
                  scanner.last_nonopt <= scanner.optind &&
                  scanner.optind <= argc,
              "first_nonopt <= last_nonopt <= optind in PERMUTE mode");
    } else if (scanner.ordering != XelGetOpt::PERMUTE) {
      require(std::equal(original_order.begin(), original_order.end(), argv),
              "only PERMUTE mode reorders the vector");
    }
  }
  require(ended, "the scan ends with -1 within its call budget");
  int placed = 0;
  for (const auto& [position, elements] : consumed) {
    if (elements.empty()) {
      continue;
    }
    require(position == placed || position == placed + 1,
            "a call's elements follow the last call's");
    for (std::size_t i = 0; i < elements.size(); ++i) {
      require(argv[position + static_cast<int>(i)] == elements[i],
              "consumed elements stand where the scan said");
    }
    placed = position + static_cast<int>(elements.size()) - 1;
  }
  require(placed + 1 == scanner.optind || (placed == 0 && scanner.optind <= 1),
          "the remaining elements follow the consumed ones");

  // Over is over: a further call returns -1 again and moves nothing.
  const std::vector<char*> final_order(argv, argv + argc);
  const int final_optind = scanner.optind;
  require(call() == -1, "-1 again after -1");
  require(std::equal(final_order.begin(), final_order.end(), argv) &&
              scanner.optind == final_optind,
          "a call after -1 changes nothing");
  require(vector.texts_intact(words), "the texts are never written");
  return 0;
}
