// XelGetOpt: a reentrant command-line scanner of the getopt family.
//
// All scanning state lives in the object, so any number of scans may run at
// once (one scanner per thread at a time). Non-options are permuted behind
// the options unless the option string or POSIXLY_CORRECT asks otherwise.
// Long options match by their whole name only; once a scanner has a table,
// getopt() scans in long-only mode (one dash or two).
#ifndef XELOPTS_XELGETOPT_H
#define XELOPTS_XELGETOPT_H

#ifndef XELOPTS_API
#define XELOPTS_API __attribute__((visibility("default")))
#endif

#include <atomic>

// <getopt.h> defines no_argument and required_argument as macros; keep our
// enumerators intact and hand the caller's macros back untouched.
#pragma push_macro("no_argument")
#pragma push_macro("required_argument")
#undef no_argument
#undef required_argument

class XELOPTS_API XelGetOpt {
 public:
  // Argument kind of a long option. Values other than these two take an
  // argument only when it is attached with "=".
  enum ParamType : int { no_argument = 0, required_argument = 1 };

  enum Ordering : int { REQUIRE_ORDER = 0, PERMUTE = 1, RETURN_IN_ORDER = 2 };

  // One long option; a table ends with a record whose name is null.
  struct option {
    const char* name;  // not copied: must outlive the table
    ParamType has_arg;
    int* flag;  // null: return val; else store val here and return 0
    int val;
  };

  // Room of the table that add_long_option builds: 31 options and the
  // terminator.
  static constexpr int kTableCapacity = 32;

  // Public progress fields, as in the getopt family: read optind after the
  // scan for the operands, set opterr = 0 to silence diagnostics.
  int argc;
  char** argv;
  int longind;
  const char* optstring;
  option* longopts;
  int long_count;
  char* optarg_value;
  int optind;
  int opterr;
  int optopt;
  char* nextchar;
  int ordering;
  int first_nonopt;
  int last_nonopt;

  XelGetOpt() : XelGetOpt(0, nullptr, static_cast<const char*>(nullptr)) {}
  XelGetOpt(int count, char** vector, char* options)
      : XelGetOpt(count, vector, static_cast<const char*>(options)) {}
  XelGetOpt(int count, char** vector, decltype(nullptr))
      : XelGetOpt(count, vector, static_cast<const char*>(nullptr)) {}
  XelGetOpt(int count, char** vector, const char* options)
      : argc(count),
        argv(vector),
        longind(0),
        optstring(options),
        longopts(nullptr),
        long_count(0),
        optarg_value(nullptr),
        optind(0),
        opterr(1),
        optopt('?'),
        nextchar(nullptr),
        ordering(PERMUTE),
        first_nonopt(0),
        last_nonopt(0),
        finished_(false) {}

  // Copies share the long-option table; the last one to go releases it.

  void set_args(int count, char** vector);
  void set_char_options(char* options);
  void set_char_options(const char* options);
  void set_char_options(decltype(nullptr)) { optstring = nullptr; }
  // Installs a caller's table (not copied, not owned) and closes
  // add_long_option for good.
  void set_long_options(option* table);
  void add_long_option(char* name, ParamType kind, char value);
  void add_long_option(const char* name, ParamType kind, char value) {
    // Inline for the usual call, an append to our own unshared block: the
    // parsers register a dozen names per job.
    const int count = long_count;
    option* const records = table_.records();
    if (count >= 0 && count <= kTableCapacity - 2 && records != nullptr &&
        longopts == records && !table_.shared()) {
      records[count] =
          option{name, kind, nullptr, static_cast<signed char>(value)};
      records[count + 1] = option{nullptr, no_argument, nullptr, 0};
      long_count = count + 1;
      return;
    }
    add_long_option_slow(name, kind, value);
  }

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
  // The table block add_long_option builds. Copies of a scanner share it;
  // the count lets the last one release it and lets add_long_option copy it
  // before writing while another scanner still reads it.
  struct TableBlock {
    std::atomic<int> references{1};
    option records[kTableCapacity];  // only up to the terminator is written
  };

  // Holds one reference to a table block. A move copies, so that a
  // moved-from scanner still owns what its longopts points at.
  class SharedTable {
   public:
    SharedTable() noexcept = default;
    SharedTable(const SharedTable& other) noexcept;
    SharedTable& operator=(const SharedTable& other) noexcept;
    ~SharedTable();
    // Drops the reference held and takes over the single one of block.
    void reset(TableBlock* block = nullptr) noexcept;
    // The block's records, or null without a block.
    option* records() const noexcept {
      return block_ != nullptr ? block_->records : nullptr;
    }
    // Whether another scanner holds a reference too.
    bool shared() const noexcept {
      return block_ != nullptr &&
             block_->references.load(std::memory_order_acquire) > 1;
    }

   private:
    TableBlock* block_ = nullptr;
  };

  void add_long_option_slow(const char* name, ParamType kind, char value);
  // The engine itself, which both _getopt_internal and getopt() inline.
  int scan_next(int count, char* const* vector, const char* options,
                const option* table, int* index, int long_only);
  bool scan_long(int count, char* const* vector, const char* options,
                 const option* table, int* index, int long_only, int& code);
  int scan_short(int count, char* const* vector, const char* options);
  void diagnose(const char* program, const char* first, const char* second,
                const char* third, const char* fourth) const;

  SharedTable table_;  // the block add_long_option built, shared by copies
  bool finished_;      // the scan has returned -1
};

#pragma pop_macro("required_argument")
#pragma pop_macro("no_argument")

#endif  // XELOPTS_XELGETOPT_H
