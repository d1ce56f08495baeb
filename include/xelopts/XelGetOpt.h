// SPDX-License-Identifier: MIT
// XelGetOpt: a reentrant command-line scanner of the getopt family.
//
// All scanning state lives in the object, so any number of scans may run at
// once (one scanner per thread at a time). Non-options are permuted behind
// the options unless the option string or POSIXLY_CORRECT asks otherwise.
// Long options match by their whole name only; once a scanner has a table,
// getopt() scans in long-only mode (one dash or two). An element that is
// null before argc ends the vector there.
#ifndef XELOPTS_XELGETOPT_H
#define XELOPTS_XELGETOPT_H

// Before the declarations fail in ways that do not say why. Every public
// header but XeloptsVersion.h (which any standard compiles) includes this.
#if !defined(__cplusplus) || __cplusplus < 201703L
#error "xelopts needs C++17 or later: compile with -std=c++17"
#endif

#ifndef XELOPTS_API
#define XELOPTS_API __attribute__((visibility("default")))
#endif
// Members of the exported classes that callers never see.
#ifndef XELOPTS_LOCAL
#define XELOPTS_LOCAL __attribute__((visibility("hidden")))
#endif

#include <cstddef>
#include <type_traits>

// <getopt.h> defines no_argument and required_argument as macros; keep our
// enumerators intact and hand the caller's macros back untouched.
#pragma push_macro("no_argument")
#pragma push_macro("required_argument")
#undef no_argument
#undef required_argument

namespace xelopts::detail {
class JobTable;
class ScannerEngine;
class SharedTable;
}  // namespace xelopts::detail

class XELOPTS_API XelGetOpt {
  // Accepts const texts (literals, and what converts to a const text only)
  // beside the char* forms, so that NULL, 0 and nullptr still pick the
  // char* form unambiguously.
  template <class Text>
  using if_const_text =
      std::enable_if_t<std::is_convertible_v<Text, const char*> &&
                       !std::is_convertible_v<Text, char*>>;

 public:
  // Argument kind of a long option. Any other value (the C library's
  // optional_argument, 2) takes no argument: names match whole, so nothing
  // is ever attached with "=". (A name that itself holds "=" hands out the
  // text after it, whatever its kind but no_argument.)
  enum ParamType : int { no_argument = 0, required_argument = 1 };

  enum Ordering : int { REQUIRE_ORDER = 0, PERMUTE = 1, RETURN_IN_ORDER = 2 };

  // One long option, a table entry; a table ends with an entry whose name
  // is null.
  struct option {
    const char* name;  // not copied: must outlive the table
    ParamType has_arg;
    int* flag;  // null: return val; else store val here and return 0
    int val;
  };

  // Room of the table that add_long_option builds: 31 options and the
  // terminator.
  static constexpr int kTableCapacity = 32;

  // Receives each diagnostic as one whole line, without its line end: the
  // length bytes that would otherwise go to standard error, followed by a
  // NUL. The line lives only for the call.
  using diagnostic_sink = void (*)(void* context, const char* line,
                                   std::size_t length);

  // Public progress fields, as in the getopt family: after the scan the
  // operands run from optind up to argc, or to a null element before it;
  // set opterr = 0 to silence diagnostics.
  int argc = 0;
  char** argv = nullptr;
  int longind = 0;
  const char* optstring = nullptr;
  option* longopts = nullptr;
  int long_count = 0;
  char* optarg_value = nullptr;
  int optind = 0;
  int opterr = 1;
  int optopt = '?';
  char* nextchar = nullptr;
  int ordering = PERMUTE;
  int first_nonopt = 0;
  int last_nonopt = 0;

  XelGetOpt() = default;
  XelGetOpt(int count, char** vector, char* options)
      : argc(count), argv(vector), optstring(options) {}
  template <class Text, class = if_const_text<Text>>
  XelGetOpt(int count, char** vector, Text options)
      : argc(count), argv(vector), optstring(options) {}

  // Copies share the long-option table and the diagnostic sink; the last
  // copy releases the table. A move copies. add_long_option on a copy
  // copies the shared table before it writes.
  XelGetOpt(const XelGetOpt& other) noexcept;
  XelGetOpt& operator=(const XelGetOpt& other) noexcept;
  ~XelGetOpt();

  void set_args(int count, char** vector);
  void set_char_options(char* options);
  template <class Text, class = if_const_text<Text>>
  void set_char_options(Text options) {
    optstring = options;
  }
  // Installs a caller's table (not copied, not owned) and closes
  // add_long_option for good.
  void set_long_options(option* table);
  void add_long_option(char* name, ParamType kind, char value);
  template <class Text, class = if_const_text<Text>>
  void add_long_option(Text name, ParamType kind, char value) {
    // The name is stored, never written through.
    add_long_option(const_cast<char*>(static_cast<const char*>(name)), kind,
                    value);
  }

  // Diagnostics go to sink instead of standard error; a null sink restores
  // standard error. opterr = 0 silences both. Should memory run out for a
  // very long line, the sink gets it shortened, ending in " [shortened]":
  // a scanning call throws nothing of its own. What the sink throws leaves
  // the call, whose work is done, and noted for consumed() and error(), by
  // then.
  void set_diagnostic_sink(diagnostic_sink sink, void* context);

  // The elements the latest scanning call consumed: count elements from
  // index first of the vector as that call left it. The scan gathers what
  // it consumes at the head of the vector in the order it consumes it;
  // position is where the first of them stands once the scan is over
  // (words the caller takes by moving optind count among them). A cluster's
  // element counts in every call that reads part of it.
  struct consumed_words {
    int first;
    int count;
    int position;
  };
  consumed_words consumed() const;

  // What went wrong in the latest scanning call, which then returned '?'
  // or ':', whether or not its diagnostic was written, or in the latest
  // add_long_option, which then wrote its refusal on standard output;
  // no_error otherwise.
  enum error_kind : int {
    no_error = 0,
    unrecognized_option,   // no such long name, nor a short letter to read
    ambiguous_option,      // two names that hold "=" match the text
    missing_argument,      // the option's value is not there
    argument_not_allowed,  // "=value" after a long option that takes none
    illegal_option,        // a letter not in the option string
    table_full,            // add_long_option: 31 names already
    table_installed,       // add_long_option after set_long_options
  };
  error_kind error() const { return error_; }

  // Next code of the scan over the object's own vector: long-only when a
  // table exists, short options otherwise.
  int getopt();
  int operator()() { return getopt(); }
  // Argument of the code last returned, or null; points into the vector.
  char* optarg() { return optarg_value; }

  int getopt(int count, char* const* vector, const char* options);
  int getopt_long(int count, char* const* vector, const char* options,
                  const option* table, int* index);
  int getopt_long_only(int count, char* const* vector, const char* options,
                       const option* table, int* index);

  int _getopt_internal(int count, char* const* vector, const char* options,
                       const option* table, int* index, int long_only);
  void exchange(char** vector);

 private:
  friend class xelopts::detail::JobTable;
  friend class xelopts::detail::ScannerEngine;
  friend class xelopts::detail::SharedTable;

  // The table add_long_option built: copies share it, and the last copy
  // frees it.
  class XELOPTS_LOCAL TableShare {
   public:
    TableShare() = default;
    TableShare(const TableShare& other) noexcept;
    TableShare& operator=(const TableShare& other) noexcept;
    ~TableShare();
    xelopts::detail::SharedTable* block = nullptr;
  };

  TableShare table_;
  // A job kind's constant table, lent to a parser's scanner.
  const xelopts::detail::JobTable* job_table_ = nullptr;
  diagnostic_sink sink_ = nullptr;
  void* sink_context_ = nullptr;
  int null_at_ = kNoNull;  // index of a null element met before argc
  static constexpr int kNoNull = 0x7fffffff;
  int step_first_ = 0;  // what the latest call consumed: count
  int step_count_ = 0;  // elements from index first
  error_kind error_ = no_error;
  bool finished_ = false;  // the scan has returned -1
};

#pragma pop_macro("required_argument")
#pragma pop_macro("no_argument")

#endif  // XELOPTS_XELGETOPT_H
