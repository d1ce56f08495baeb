#include "XelGetOpt.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool is_nonoption(const char* element) {
  return element[0] != '-' || element[1] == '\0';
}

bool is_terminator(const char* element) {
  return element[0] == '-' && element[1] == '-' && element[2] == '\0';
}

// The letter's entry in the option string, or null: ':' and NUL never are
// options.
const char* find_letter(const char* options, char letter) {
  if (letter == ':' || letter == '\0') {
    return nullptr;
  }
  return std::strchr(options, letter);
}

int widen(char c) { return static_cast<signed char>(c); }

}  // namespace

XelGetOpt::SharedTable::SharedTable(const SharedTable& other) noexcept
    : block_(other.block_) {
  if (block_ != nullptr) {
    block_->references.fetch_add(1, std::memory_order_relaxed);
  }
}

XelGetOpt::SharedTable& XelGetOpt::SharedTable::operator=(
    const SharedTable& other) noexcept {
  SharedTable copy(other);
  std::swap(block_, copy.block_);
  return *this;
}

XelGetOpt::SharedTable::~SharedTable() { reset(); }

void XelGetOpt::SharedTable::reset(TableBlock* block) noexcept {
  // The only holder skips the locked decrement: no other scanner can take a
  // reference to a block that no other scanner holds.
  if (block_ != nullptr &&
      (block_->references.load(std::memory_order_acquire) == 1 ||
       block_->references.fetch_sub(1, std::memory_order_acq_rel) == 1)) {
    delete block_;
  }
  block_ = block;
}

void XelGetOpt::set_args(int count, char** vector) {
  argc = count;
  argv = vector;
}

void XelGetOpt::set_char_options(char* options) { optstring = options; }

void XelGetOpt::set_char_options(const char* options) { optstring = options; }

void XelGetOpt::set_long_options(option* table) {
  longopts = table;
  long_count = -1;
  // Keep our own block only when it is the table being installed.
  if (table != table_.records()) {
    table_.reset();
  }
}

void XelGetOpt::add_long_option(char* name, ParamType kind, char value) {
  add_long_option(static_cast<const char*>(name), kind, value);
}

// Refusals, the first block and copy on write, out of line.
void XelGetOpt::add_long_option_slow(const char* name, ParamType kind,
                                     char value) {
  if (long_count == -1) {
    std::printf(
        "Getopt: can't use add_long_option() after set_long_options().");
    return;
  }
  if (longopts == nullptr) {
    table_.reset(new TableBlock);
    longopts = table_.records();
  } else if (longopts == table_.records() && table_.shared() &&
             long_count <= kTableCapacity - 2) {
    // Copy on write: another scanner still reads the shared block.
    auto* block = new TableBlock;
    std::copy(longopts, longopts + long_count + 1, block->records);
    table_.reset(block);
    longopts = table_.records();
  }
  if (long_count > kTableCapacity - 2) {
    std::printf("Getopt: too many long options.");
    return;
  }
  longopts[long_count] = option{name, kind, nullptr, widen(value)};
  ++long_count;
  longopts[long_count] = option{nullptr, no_argument, nullptr, 0};
}

int XelGetOpt::getopt() {
  if (longopts != nullptr) {
    return scan_next(argc, argv, optstring, longopts, &longind, 1);
  }
  return scan_next(argc, argv, optstring, nullptr, nullptr, 0);
}

int XelGetOpt::getopt(int count, char* const* vector, const char* options) {
  return _getopt_internal(count, vector, options, nullptr, nullptr, 0);
}

int XelGetOpt::getopt_long(int count, char* const* vector, const char* options,
                           const option* table, int* index) {
  return _getopt_internal(count, vector, options, table, index, 0);
}

int XelGetOpt::getopt_long_only(int count, char* const* vector,
                                const char* options, const option* table,
                                int* index) {
  return _getopt_internal(count, vector, options, table, index, 1);
}

__attribute__((cold, noinline)) void XelGetOpt::diagnose(
    const char* program, const char* first, const char* second,
    const char* third, const char* fourth) const {
  if (opterr == 0) {
    return;
  }
  // One locked write per line, so concurrent scans do not split lines.
  flockfile(stderr);
  for (const char* piece : {program, first, second, third, fourth}) {
    if (piece != nullptr) {
      std::fputs(piece, stderr);
    }
  }
  std::fputc('\n', stderr);
  std::fflush(stderr);
  funlockfile(stderr);
}

void XelGetOpt::exchange(char** vector) {
  const int first = first_nonopt;
  const int last = last_nonopt;
  const int end = optind;
  if (!(0 <= first && first < last && last < end)) {
    return;  // nothing to move; never reach outside the vector
  }
  char** begin = vector + first;
  char** middle = vector + last;
  char** stop = vector + end;
  const auto skipped = static_cast<std::size_t>(last - first);
  const auto scanned = static_cast<std::size_t>(end - last);
  // One side is usually a word or two: park it on the stack and slide the
  // other with memmove, which handles the overlap.
  constexpr std::size_t kParked = 16;
  char* parked[kParked];
  if (scanned <= kParked) {
    std::memcpy(parked, middle, sizeof(char*) * scanned);
    std::memmove(begin + scanned, begin, sizeof(char*) * skipped);
    std::memcpy(begin, parked, sizeof(char*) * scanned);
  } else if (skipped <= kParked) {
    std::memcpy(parked, begin, sizeof(char*) * skipped);
    std::memmove(begin, middle, sizeof(char*) * scanned);
    std::memcpy(begin + scanned, parked, sizeof(char*) * skipped);
  } else {
    std::rotate(begin, middle, stop);
  }
  first_nonopt = first + end - last;
  last_nonopt = end;
}

int XelGetOpt::_getopt_internal(int count, char* const* vector,
                                const char* options, const option* table,
                                int* index, int long_only) {
  return scan_next(count, vector, options, table, index, long_only);
}

__attribute__((always_inline)) inline int XelGetOpt::scan_next(
    int count, char* const* vector, const char* options, const option* table,
    int* index, int long_only) {
  // An empty vector (argc 0, argv[0] null) or a scanner without inputs has
  // nothing to scan.
  optarg_value = nullptr;
  if (count <= 0 || vector == nullptr || vector[0] == nullptr ||
      options == nullptr) {
    return -1;
  }
  if (optind == 0) {
    optind = 1;
    first_nonopt = 1;
    last_nonopt = 1;
    nextchar = nullptr;
    finished_ = false;
    if (options[0] == '-') {
      ordering = RETURN_IN_ORDER;
    } else if (options[0] == '+' || std::getenv("POSIXLY_CORRECT") != nullptr) {
      ordering = REQUIRE_ORDER;
    } else {
      ordering = PERMUTE;
    }
  }
  // Once over, stays over: a further call must not permute again.
  if (finished_ || optind < 0 || optind > count) {
    return -1;
  }
  // A caller that moved optind to the end inside a cluster ended the element.
  if (optind == count) {
    nextchar = nullptr;
  }
  if (options[0] == '-' || options[0] == '+') {
    ++options;
  }
  // The scan reorders the caller's pointers in place, never the texts.
  char** words = const_cast<char**>(vector);

  if (nextchar == nullptr || *nextchar == '\0') {
    if (ordering == PERMUTE) {
      if (first_nonopt != last_nonopt && last_nonopt != optind) {
        exchange(words);
      } else if (last_nonopt != optind) {
        first_nonopt = optind;
      }
      while (optind < count && is_nonoption(words[optind])) {
        ++optind;
      }
      last_nonopt = optind;
    }
    if (optind != count && is_terminator(words[optind])) {
      ++optind;
      if (first_nonopt != last_nonopt && last_nonopt != optind) {
        exchange(words);
      } else if (first_nonopt == last_nonopt) {
        first_nonopt = optind;
      }
      last_nonopt = count;
      optind = count;
    }
    if (optind == count) {
      if (first_nonopt != last_nonopt) {
        optind = first_nonopt;
      }
      finished_ = true;
      return -1;
    }
    if (is_nonoption(words[optind])) {
      if (ordering == REQUIRE_ORDER) {
        finished_ = true;
        return -1;
      }
      optarg_value = words[optind++];
      return 1;
    }
    const bool double_dash = table != nullptr && words[optind][1] == '-';
    nextchar = words[optind] + (double_dash ? 2 : 1);
  }

  const char* element = words[optind];
  if (table != nullptr && element[0] == '-' &&
      (element[1] == '-' || long_only != 0)) {
    int code = 0;
    if (scan_long(count, vector, options, table, index, long_only, code)) {
      return code;
    }
  }
  return scan_short(count, vector, options);
}

// Sets the code of a long option or of its error; false when a single-dash
// word falls back to short options.
__attribute__((always_inline)) inline bool XelGetOpt::scan_long(
    int count, char* const* vector, const char* options, const option* table,
    int* index, int long_only, int& code) {
  const char* element = vector[optind];
  const char* candidate = nextchar;

  // A record matches when its name equals the whole text ("=" and what
  // follows included). The name end of the text is its first "=", so a
  // match is exact, and ends the walk, only when the name holds no "=".
  // The text is read only as far as a name goes: a long cluster stays
  // linear in long-only mode.
  int found = -1;
  bool exact = false;
  bool ambiguous = false;
  char* text_end = nullptr;  // known once a record matched
  for (const option* record = table; record->name != nullptr; ++record) {
    const char* name = record->name;
    if (name[0] != candidate[0]) {
      continue;  // most records differ at once
    }
    const char* text = candidate;
    bool name_has_equals = false;
    for (; *name == *text && *name != '\0'; ++name, ++text) {
      name_has_equals = name_has_equals || *name == '=';
    }
    if (*name != *text) {
      continue;
    }
    text_end = const_cast<char*>(text);
    if (!name_has_equals) {
      found = static_cast<int>(record - table);
      exact = true;
      break;
    }
    if (found < 0) {
      found = static_cast<int>(record - table);
    } else {
      ambiguous = true;
    }
  }

  const bool double_dash = element[1] == '-';
  if (ambiguous && !exact) {
    diagnose(vector[0], ": option `", element, "' is ambiguous", nullptr);
    nextchar = text_end;
    ++optind;
    code = '?';
    return true;
  }
  if (found < 0) {
    if (long_only != 0 && !double_dash &&
        std::strchr(options, *nextchar) != nullptr) {
      return false;
    }
    if (double_dash) {
      diagnose(vector[0], ": unrecognized option `", nextchar, "'", nullptr);
    } else {
      const char dash[2] = {element[0], '\0'};
      diagnose(vector[0], ": unrecognized option `", dash, nextchar, "'");
    }
    nextchar += std::strlen(nextchar);
    ++optind;
    code = '?';
    return true;
  }

  const option& record = table[found];
  ++optind;
  // Only an inexact match can carry an argument after "=".
  const char* equals = exact ? nullptr : std::strchr(candidate, '=');
  if (equals != nullptr) {
    if (record.has_arg == no_argument) {
      if (double_dash) {
        diagnose(vector[0], ": option `--", record.name,
                 "' doesn't allow an argument", nullptr);
      } else {
        const char dash[2] = {element[0], '\0'};
        diagnose(vector[0], ": option `", dash, record.name,
                 "' doesn't allow an argument");
      }
      nextchar = text_end;
      code = '?';
      return true;
    }
    optarg_value = const_cast<char*>(equals + 1);
  } else if (record.has_arg == required_argument) {
    if (optind < count) {
      optarg_value = vector[optind++];
    } else {
      diagnose(vector[0], ": option `", element, "' requires an argument",
               nullptr);
      nextchar = text_end;
      code = options[0] == ':' ? ':' : '?';
      return true;
    }
  }
  nextchar = text_end;
  if (index != nullptr) {
    *index = found;
  }
  if (record.flag != nullptr) {
    *record.flag = record.val;
    code = 0;
    return true;
  }
  code = record.val;
  return true;
}

__attribute__((always_inline)) inline int XelGetOpt::scan_short(
    int count, char* const* vector, const char* options) {
  const char letter = *nextchar++;
  const char* entry = find_letter(options, letter);
  if (*nextchar == '\0') {
    ++optind;
  }
  if (entry == nullptr) {
    const char text[2] = {letter, '\0'};
    diagnose(vector[0], ": illegal option -- ", text, nullptr, nullptr);
    optopt = widen(letter);
    return '?';
  }
  if (entry[1] != ':') {
    return widen(letter);
  }
  int code = widen(letter);
  if (entry[2] == ':') {
    if (*nextchar != '\0') {
      optarg_value = nextchar;
      ++optind;
    }
  } else if (*nextchar != '\0') {
    optarg_value = nextchar;
    ++optind;
  } else if (optind == count) {
    const char text[2] = {letter, '\0'};
    diagnose(vector[0], ": option requires an argument -- ", text, nullptr,
             nullptr);
    optopt = widen(letter);
    code = options[0] == ':' ? ':' : '?';
  } else {
    optarg_value = vector[optind++];
  }
  nextchar = nullptr;
  return code;
}
