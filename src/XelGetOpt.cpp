#include "XelGetOpt.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "ScannerCore.h"

using xelopts::detail::ScannerCore;

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

void ScannerCore::assign(XelGetOpt& to, const XelGetOpt& from) noexcept {
  if (from.table_ != nullptr) {
    from.table_->references.fetch_add(1, std::memory_order_relaxed);
    ScannerCore::setOwnRecords(from, nullptr);  // shared from now on
  }
  release(to);
  to.argc = from.argc;
  to.argv = from.argv;
  to.longind = from.longind;
  to.optstring = from.optstring;
  to.longopts = from.longopts;
  to.long_count = from.long_count;
  to.optarg_value = from.optarg_value;
  to.optind = from.optind;
  to.opterr = from.opterr;
  to.optopt = from.optopt;
  to.nextchar = from.nextchar;
  to.ordering = from.ordering;
  to.first_nonopt = from.first_nonopt;
  to.last_nonopt = from.last_nonopt;
  to.table_ = from.table_;
  to.sink_ = from.sink_;
  to.sink_context_ = from.sink_context_;
  to.null_at_ = from.null_at_;
  to.step_first_ = from.step_first_;
  to.step_end_ = from.step_end_;
  to.placed_ = from.placed_;
  to.finished_ = from.finished_;
}

void ScannerCore::release(XelGetOpt& scanner) noexcept {
  XelGetOpt::TableBlock* const block = scanner.table_;
  scanner.table_ = nullptr;
  setOwnRecords(scanner, nullptr);
  // The only holder skips the locked decrement: no other scanner can take a
  // reference to a block that no other scanner holds.
  if (block != nullptr &&
      (block->references.load(std::memory_order_acquire) == 1 ||
       block->references.fetch_sub(1, std::memory_order_acq_rel) == 1)) {
    delete block;
  }
}

XelGetOpt::XelGetOpt(const XelGetOpt& other) noexcept {
  ScannerCore::assign(*this, other);
}

XelGetOpt& XelGetOpt::operator=(const XelGetOpt& other) noexcept {
  if (this != &other) {
    ScannerCore::assign(*this, other);
  }
  return *this;
}

XelGetOpt::~XelGetOpt() { ScannerCore::release(*this); }

void XelGetOpt::set_args(int count, char** vector) {
  argc = count;
  argv = vector;
  null_at_ = kNoNull;  // a null in the old vector says nothing of this one
}

void XelGetOpt::set_char_options(char* options) { optstring = options; }

void XelGetOpt::set_long_options(option* table) {
  longopts = table;
  long_count = -1;
  // Keep our own block only when it is the table being installed.
  if (table_ != nullptr && table != table_->records) {
    ScannerCore::release(*this);
  }
}

void XelGetOpt::add_long_option(char* name, ParamType kind, char value) {
  ScannerCore::add_long_option(*this, name, kind, value);
}

void ScannerCore::add_long_option(XelGetOpt& s, const char* name,
                                  XelGetOpt::ParamType kind, char value) {
  if (s.long_count == -1) {
    std::printf(
        "Getopt: can't use add_long_option() after set_long_options().");
    return;
  }
  const bool shared_block =
      s.table_ != nullptr && s.longopts == s.table_->records &&
      s.table_->references.load(std::memory_order_acquire) > 1;
  if (s.longopts == nullptr ||
      (shared_block && s.long_count <= XelGetOpt::kTableCapacity - 2)) {
    // A first block, or copy on write: another scanner still reads ours.
    auto* block = new XelGetOpt::TableBlock;
    if (s.longopts != nullptr) {
      std::copy(s.longopts, s.longopts + s.long_count + 1, block->records);
    }
    release(s);
    s.table_ = block;
    s.longopts = block->records;
  }
  // The only holder of its own block may take the inline path again.
  if (s.table_ != nullptr && s.longopts == s.table_->records &&
      s.table_->references.load(std::memory_order_acquire) == 1) {
    setOwnRecords(s, s.table_->records);
  }
  if (s.long_count > XelGetOpt::kTableCapacity - 2) {
    std::printf("Getopt: too many long options.");
    return;
  }
  s.longopts[s.long_count] =
      option{name, kind, nullptr, static_cast<signed char>(value)};
  ++s.long_count;
  s.longopts[s.long_count] =
      option{nullptr, XelGetOpt::no_argument, nullptr, 0};
}

void XelGetOpt::set_diagnostic_sink(diagnostic_sink sink, void* context) {
  sink_ = sink;
  sink_context_ = context;
}

__attribute__((cold, noinline)) void ScannerCore::diagnose(
    const XelGetOpt& scanner, std::initializer_list<const char*> pieces) {
  if (scanner.opterr == 0) {
    return;
  }
  // The line and one byte more, for its line end or the sink's NUL; most
  // lines fit on the stack.
  std::size_t length = 0;
  for (const char* piece : pieces) {
    length += piece != nullptr ? std::strlen(piece) : 0;
  }
  char small[256];
  std::unique_ptr<char[]> large;
  char* line = small;
  if (length >= sizeof small) {
    large.reset(new (std::nothrow) char[length + 1]);
    line = large.get();
  }
  if (line == nullptr) {
    // No memory for the whole line: standard error still gets it, in
    // pieces, under the lock that keeps other scans' lines out.
    flockfile(stderr);
    for (const char* piece : pieces) {
      if (piece != nullptr) {
        std::fputs(piece, stderr);
      }
    }
    std::fputc('\n', stderr);
    std::fflush(stderr);
    funlockfile(stderr);
    return;
  }
  char* at = line;
  for (const char* piece : pieces) {
    if (piece != nullptr) {
      at = std::copy_n(piece, std::strlen(piece), at);
    }
  }
  if (scanner.sink_ != nullptr) {
    line[length] = '\0';
    scanner.sink_(scanner.sink_context_, line, length);
    return;
  }
  // One write per line, so that concurrent scans do not split lines.
  line[length] = '\n';
  flockfile(stderr);
  std::fwrite(line, 1, length + 1, stderr);
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

inline bool ScannerCore::ends_at(XelGetOpt& s, char* const* vector, int& count,
                                 int index) {
  if (index < count && vector[index] != nullptr) {
    return false;
  }
  // A caller who counts the closing null must not have it read as a word.
  if (index < count) {
    count = index;
    s.null_at_ = index;
  }
  return true;
}

inline void ScannerCore::note_consumed(XelGetOpt& s, int first, int end,
                                       bool resumed) {
  s.step_first_ = first;
  s.step_end_ = end;
  // A resumed cluster's element was counted by the call that began it.
  s.placed_ += end - first - (resumed ? 1 : 0);
}

namespace {

// Sets the code of a long option or of its error; false when a single-dash
// word falls back to short options, with the letter's entry in the option
// string.
__attribute__((always_inline)) inline bool scan_long(
    XelGetOpt& s, int& count, char* const* vector, const char* options,
    const XelGetOpt::option* table, int* index, int long_only, int& code,
    const char*& entry) {
  const char* element = vector[s.optind];
  const char* candidate = s.nextchar;

  // A record matches when its name equals the whole text ("=" and what
  // follows included). The name end of the text is its first "=", so a
  // match is exact, and ends the walk, only when the name holds no "=".
  // The text is read only as far as a name goes: a long cluster stays
  // linear in long-only mode.
  int found = -1;
  bool exact = false;
  bool ambiguous = false;
  char* text_end = nullptr;  // known once a record matched
  for (const XelGetOpt::option* record = table; record->name != nullptr;
       ++record) {
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

  // On every error the call's state is complete before the diagnostic, so
  // that a sink that throws leaves a consistent scanner.
  const bool double_dash = element[1] == '-';
  if (ambiguous && !exact) {
    s.nextchar = text_end;
    ++s.optind;
    code = '?';
    ScannerCore::diagnose(s,
                          {vector[0], ": option `", element, "' is ambiguous"});
    return true;
  }
  if (found < 0) {
    const char* const in_options = long_only != 0 && !double_dash
                                       ? std::strchr(options, *s.nextchar)
                                       : nullptr;
    if (in_options != nullptr) {
      entry = *s.nextchar == ':' ? nullptr : in_options;  // ':' is no option
      return false;
    }
    const char* const text = s.nextchar;
    s.nextchar += std::strlen(s.nextchar);
    ++s.optind;
    code = '?';
    const char dash[2] = {element[0], '\0'};
    ScannerCore::diagnose(s, {vector[0], ": unrecognized option `",
                              double_dash ? nullptr : dash, text, "'"});
    return true;
  }

  const XelGetOpt::option& record = table[found];
  ++s.optind;
  // Only an inexact match can carry an argument after "=".
  const char* equals = exact ? nullptr : std::strchr(candidate, '=');
  if (equals != nullptr) {
    if (record.has_arg == XelGetOpt::no_argument) {
      s.nextchar = text_end;
      code = '?';
      const char dash[2] = {element[0], '\0'};
      ScannerCore::diagnose(
          s, {vector[0], ": option `", double_dash ? "--" : dash, record.name,
              "' doesn't allow an argument"});
      return true;
    }
    s.optarg_value = const_cast<char*>(equals + 1);
  } else if (record.has_arg == XelGetOpt::required_argument) {
    if (!ScannerCore::ends_at(s, vector, count, s.optind)) {
      s.optarg_value = vector[s.optind++];
    } else {
      s.nextchar = text_end;
      code = options[0] == ':' ? ':' : '?';
      ScannerCore::diagnose(
          s, {vector[0], ": option `", element, "' requires an argument"});
      return true;
    }
  }
  s.nextchar = text_end;
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

// entry: the letter's entry in the option string, or null.
__attribute__((always_inline)) inline int scan_short(XelGetOpt& s, int& count,
                                                     char* const* vector,
                                                     const char* options,
                                                     const char* entry) {
  const char letter = *s.nextchar++;
  if (*s.nextchar == '\0') {
    ++s.optind;
  }
  if (entry == nullptr) {
    s.optopt = widen(letter);
    const char text[2] = {letter, '\0'};
    ScannerCore::diagnose(s, {vector[0], ": illegal option -- ", text});
    return '?';
  }
  if (entry[1] != ':') {
    return widen(letter);
  }
  int code = widen(letter);
  if (entry[2] == ':') {
    if (*s.nextchar != '\0') {
      s.optarg_value = s.nextchar;
      ++s.optind;
    }
  } else if (*s.nextchar != '\0') {
    s.optarg_value = s.nextchar;
    ++s.optind;
  } else if (ScannerCore::ends_at(s, vector, count, s.optind)) {
    s.optopt = widen(letter);
    s.nextchar = nullptr;
    const char text[2] = {letter, '\0'};
    ScannerCore::diagnose(
        s, {vector[0], ": option requires an argument -- ", text});
    return options[0] == ':' ? ':' : '?';
  } else {
    s.optarg_value = vector[s.optind++];
  }
  s.nextchar = nullptr;
  return code;
}

}  // namespace

__attribute__((always_inline)) inline int ScannerCore::next(
    XelGetOpt& s, int count, char* const* vector, const char* options,
    const option* table, int* index, int long_only) {
  s.optarg_value = nullptr;
  // An empty vector (argc 0, argv[0] null) or a scanner without inputs has
  // nothing to scan.
  if (count <= 0 || vector == nullptr || vector[0] == nullptr ||
      options == nullptr) {
    s.step_first_ = s.step_end_ = 0;
    return -1;
  }
  if (s.optind == 0) {
    s.optind = 1;
    s.first_nonopt = 1;
    s.last_nonopt = 1;
    s.nextchar = nullptr;
    s.finished_ = false;
    s.placed_ = 0;
    s.null_at_ = XelGetOpt::kNoNull;
    if (options[0] == '-') {
      s.ordering = XelGetOpt::RETURN_IN_ORDER;
    } else if (options[0] == '+' || std::getenv("POSIXLY_CORRECT") != nullptr) {
      s.ordering = XelGetOpt::REQUIRE_ORDER;
    } else {
      s.ordering = XelGetOpt::PERMUTE;
    }
  }
  count = std::min(count, s.null_at_);
  // Once over, stays over: a further call must not permute again.
  if (s.finished_ || s.optind < 0 || s.optind > count) {
    s.step_first_ = s.step_end_ = 0;
    return -1;
  }
  if (options[0] == '-' || options[0] == '+') {
    ++options;
  }
  // The scan reorders the caller's pointers in place, never the texts.
  char** words = const_cast<char**>(vector);

  bool resumed = s.nextchar != nullptr && *s.nextchar != '\0';
  // A caller that moved optind to the end inside a cluster ended the element.
  if (resumed && ends_at(s, vector, count, s.optind)) {
    s.nextchar = nullptr;
    resumed = false;
  }
  if (!resumed) {
    if (s.ordering == XelGetOpt::PERMUTE) {
      if (s.first_nonopt != s.last_nonopt && s.last_nonopt != s.optind) {
        s.exchange(words);
      } else if (s.last_nonopt != s.optind) {
        s.first_nonopt = s.optind;
      }
      while (!ends_at(s, words, count, s.optind) &&
             is_nonoption(words[s.optind])) {
        ++s.optind;
      }
      s.last_nonopt = s.optind;
    }
    bool terminated = false;
    if (!ends_at(s, words, count, s.optind) && is_terminator(words[s.optind])) {
      terminated = true;
      ++s.optind;
      // What follows is left as it is, up to the vector's end.
      for (int end = s.optind; !ends_at(s, words, count, end); ++end) {
      }
      if (s.first_nonopt != s.last_nonopt && s.last_nonopt != s.optind) {
        s.exchange(words);
      } else if (s.first_nonopt == s.last_nonopt) {
        s.first_nonopt = s.optind;
      }
      s.last_nonopt = count;
      s.optind = count;
    }
    if (ends_at(s, words, count, s.optind)) {
      if (s.first_nonopt != s.last_nonopt) {
        s.optind = s.first_nonopt;
      }
      s.finished_ = true;
      // The terminator ends up just before the first remaining element.
      const int first = terminated ? s.optind - 1 : s.optind;
      note_consumed(s, first, s.optind, false);
      return -1;
    }
    if (is_nonoption(words[s.optind])) {
      if (s.ordering == XelGetOpt::REQUIRE_ORDER) {
        s.finished_ = true;
        for (int end = s.optind; !ends_at(s, words, count, end); ++end) {
        }
        note_consumed(s, s.optind, s.optind, false);
        return -1;
      }
      note_consumed(s, s.optind, s.optind + 1, false);
      s.optarg_value = words[s.optind++];
      return 1;
    }
    const bool double_dash = table != nullptr && words[s.optind][1] == '-';
    s.nextchar = words[s.optind] + (double_dash ? 2 : 1);
  }

  const int first = s.optind;
  const char* element = words[s.optind];
  const bool long_candidate = table != nullptr && element[0] == '-' &&
                              (element[1] == '-' || long_only != 0);
  int code = 0;
  const char* entry = nullptr;  // found on the way when a name falls back
  if (!long_candidate) {
    code = scan_short(s, count, vector, options,
                      find_letter(options, *s.nextchar));
  } else if (!scan_long(s, count, vector, options, table, index, long_only,
                        code, entry)) {
    code = scan_short(s, count, vector, options, entry);
  }
  // Inside a cluster the element is not passed yet, but read.
  note_consumed(s, first, std::max(s.optind, first + 1), resumed);
  return code;
}

XelGetOpt::consumed_words XelGetOpt::consumed() const {
  // Whatever a scan consumes ends up at the head of the vector, in the order
  // it was consumed: placed_ elements so far, this call's last among them.
  const int count = step_end_ - step_first_;
  return {step_first_, count, placed_ - count + 1};
}

// The engine is inlined into the two entry points everything goes through.

int XelGetOpt::getopt() {
  if (longopts != nullptr) {
    return ScannerCore::next(*this, argc, argv, optstring, longopts, &longind,
                             1);
  }
  return ScannerCore::next(*this, argc, argv, optstring, nullptr, nullptr, 0);
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

int XelGetOpt::_getopt_internal(int count, char* const* vector,
                                const char* options, const option* table,
                                int* index, int long_only) {
  return ScannerCore::next(*this, count, vector, options, table, index,
                           long_only);
}
