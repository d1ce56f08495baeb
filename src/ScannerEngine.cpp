// SPDX-License-Identifier: MIT
// The scanning engine: one call of the scan, step by step, a parse's whole
// scan, and the permutation that moves skipped non-options behind the
// options.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Diagnostics.h"
#include "Inlining.h"
#include "JobTable.h"
#include "ParseLoop.h"
#include "xelopts/XelGetOpt.h"

namespace xelopts::detail {
namespace {

bool isNonOption(const char* element) {
  return element[0] != '-' || element[1] == '\0';
}

bool isTerminator(const char* element) {
  return element[0] == '-' && element[1] == '-' && element[2] == '\0';
}

int widen(char c) { return static_cast<signed char>(c); }

// The letter's entry in the option string, or null: ':' and NUL never are
// options.
const char* findLetter(const char* options, char letter) {
  return letter == ':' || letter == '\0' ? nullptr
                                         : std::strchr(options, letter);
}

// Whether name is the whole text, whose first bytes are equal and not NUL,
// and then where the text ends and its first "=" (or null), noted on the
// way: a byte above "=" costs one test.
bool isWhole(const char* name, const char* text, const char*& end,
             const char*& equals) {
  equals = *text == '=' ? text : nullptr;
  for (++name, ++text; *name == *text; ++name, ++text) {
    if (static_cast<unsigned char>(*name) <= '=') {
      if (*name == '\0') {
        end = text;
        return true;
      }
      equals = *name == '=' && equals == nullptr ? text : equals;
    }
  }
  return false;
}

}  // namespace

// One scanning call. run() takes the steps in order: start a scan, resume
// a cluster or reach the next option element (permuting, passing a
// terminator, ending, or taking a non-option), then scan the option, long
// or short. On every path the call's state is complete, what it consumed
// noted, before its diagnostic goes out: a sink that throws leaves a
// scanner that goes on correctly. The steps are split for reading; the
// entry points below flatten them into one function each.
class ScannerEngine {
 public:
  using option = XelGetOpt::option;

  // observed: a caller may read what each call consumed (consumed()).
  ScannerEngine(XelGetOpt& scanner, int count, char* const* vector,
                const char* options, const option* table, int* index,
                bool longOnly, bool observed = true)
      : s_(scanner),
        count_(count),
        // The scan reorders the caller's pointers in place, never the texts.
        words_(const_cast<char**>(vector)),
        options_(options),
        table_(table),
        index_(index),
        longOnly_(longOnly),
        observed_(observed) {}

  int run() {
    s_.optarg_value = nullptr;
    s_.error_ = XelGetOpt::no_error;
    // An empty vector (argc 0, argv[0] null) or a scanner without inputs
    // has nothing to scan.
    if (count_ <= 0 || words_ == nullptr || options_ == nullptr ||
        words_[0] == nullptr) {
      return consumeNothing();
    }
    // Within the vector, or at 0 to start; elsewhere a caller's index
    // leaves nothing to scan. One test for the usual call.
    const int end = std::min(count_, s_.null_at_);
    if (static_cast<unsigned>(s_.optind) - 1U < static_cast<unsigned>(end)) {
      count_ = end;
    } else if (s_.optind == 0) {
      start();
    } else {
      return consumeNothing();
    }
    // Once over, stays over: a further call must not permute again.
    if (s_.finished_) {
      return consumeNothing();
    }
    return steps();
  }

  // The next call of a scan whose first call was run(), when no caller's
  // code ran between them: what run() checks of the inputs still holds.
  int next() {
    s_.optarg_value = nullptr;
    s_.error_ = XelGetOpt::no_error;
    diagnostic_.kind = XelGetOpt::no_error;
    return steps();
  }

 private:
  int steps() {
    int code = 0;
    const char* element =
        resumesCluster() ? words_[s_.optind] : reachOptionElement(code);
    return element != nullptr ? scanOption(element) : code;
  }

  void start() {
    s_.optind = 1;
    s_.first_nonopt = 1;
    s_.last_nonopt = 1;
    s_.nextchar = nullptr;
    s_.finished_ = false;
    s_.null_at_ = XelGetOpt::kNoNull;
    if (options_[0] == '-') {
      s_.ordering = XelGetOpt::RETURN_IN_ORDER;
    } else if (options_[0] == '+' || (!readsOrderingLate() && posixly())) {
      s_.ordering = XelGetOpt::REQUIRE_ORDER;
    } else {
      s_.ordering = XelGetOpt::PERMUTE;
    }
  }

  // A parser's scanner runs no caller's code during its scan but a report's
  // callback (a report collects the diagnostics through the sink). Without
  // one, the environment read at the start is the one found when the order
  // first matters: when skipped non-options are followed by an option or
  // "--" (skipNonOptions).
  bool readsOrderingLate() const {
    return s_.job_table_ != nullptr && s_.sink_ == nullptr;
  }

  static bool posixly() { return std::getenv("POSIXLY_CORRECT") != nullptr; }

  // The option string past its ordering marker, which is no option letter:
  // only short options read it.
  const char* letters() const {
    return options_ + (options_[0] == '-' || options_[0] == '+' ? 1 : 0);
  }

  bool resumesCluster() {
    if (s_.nextchar == nullptr || *s_.nextchar == '\0') {
      return false;
    }
    // A caller that moved optind to the end inside a cluster ended the
    // element.
    if (endsAt(s_.optind)) {
      s_.nextchar = nullptr;
      return false;
    }
    return true;
  }

  // The option element, or null when the call ends here, with its code.
  const char* reachOptionElement(int& code) {
    const char* element = s_.ordering == XelGetOpt::PERMUTE
                              ? skipNonOptions()
                              : elementAt(s_.optind);
    if (element == nullptr) {
      code = finish(false);
      return nullptr;
    }
    if (isTerminator(element)) {
      passTerminator();
      code = finish(true);
      return nullptr;
    }
    if (isNonOption(element)) {  // after skipNonOptions(), if read late
      code = takeNonOption();
      return nullptr;
    }
    const bool doubleDash = table_ != nullptr && element[1] == '-';
    s_.nextchar = const_cast<char*>(element) + (doubleDash ? 2 : 1);
    return element;
  }

  // The next element that is no non-option, or null at the end.
  const char* skipNonOptions() {
    const bool gathered = s_.first_nonopt != s_.last_nonopt;
    if (gathered && s_.last_nonopt != s_.optind) {
      s_.exchange(words_);
    } else if (s_.last_nonopt != s_.optind) {
      s_.first_nonopt = s_.optind;
    }
    const char* element = elementAt(s_.optind);
    if (element != nullptr && isNonOption(element)) {
      do {
        element = elementAt(++s_.optind);
      } while (element != nullptr && isNonOption(element));
      if (!gathered && element != nullptr && readsOrderingLate() && posixly()) {
        // In order after all: the scan ends at its first non-option.
        s_.ordering = XelGetOpt::REQUIRE_ORDER;
        s_.optind = s_.first_nonopt;
        element = words_[s_.optind];
      }
    }
    s_.last_nonopt = s_.optind;
    return element;
  }

  // Past a terminator, what follows is left as it is: the options end.
  void passTerminator() {
    ++s_.optind;
    for (int end = s_.optind; !endsAt(end); ++end) {
    }
    if (s_.first_nonopt != s_.last_nonopt && s_.last_nonopt != s_.optind) {
      s_.exchange(words_);
    } else if (s_.first_nonopt == s_.last_nonopt) {
      s_.first_nonopt = s_.optind;
    }
    s_.last_nonopt = count_;
    s_.optind = count_;
  }

  int finish(bool terminated) {
    if (s_.first_nonopt != s_.last_nonopt) {
      s_.optind = s_.first_nonopt;
    }
    s_.finished_ = true;
    // The terminator ends up just before the first remaining element.
    noteConsumed(terminated ? s_.optind - 1 : s_.optind, s_.optind);
    return -1;
  }

  int takeNonOption() {
    if (s_.ordering == XelGetOpt::REQUIRE_ORDER) {
      s_.finished_ = true;
      noteConsumed(s_.optind, s_.optind);
      return -1;
    }
    noteConsumed(s_.optind, s_.optind + 1);
    s_.optarg_value = words_[s_.optind++];
    return 1;
  }

  int scanOption(const char* element) {
    first_ = s_.optind;
    int code = 0;
    const char* entry = nullptr;  // found on the way when a name falls back
    if (table_ == nullptr || element[0] != '-' ||
        (element[1] != '-' && !longOnly_)) {
      code = scanShort(findLetter(letters(), *s_.nextchar));
    } else if (!scanLong(code, entry)) {
      code = scanShort(entry);
    }
    // Inside a cluster the element is not passed yet, but read.
    noteConsumed(first_, std::max(s_.optind, first_ + 1));
    if (diagnostic_.kind != XelGetOpt::no_error && s_.opterr != 0) {
      emit(diagnostic_, words_[0], s_.sink_, s_.sink_context_);
    }
    return code;
  }

  // A long option is the whole text after the dashes. A name that holds
  // "=" matches only a text with that "=", whose rest is the argument: two
  // such names make the text ambiguous. False when a single-dash word that
  // is no name falls back to short options, with the letter's entry.
  bool scanLong(int& code, const char*& entry) {
    const char* text = s_.nextchar;
    const char* end = nullptr;
    const char* equals = nullptr;
    const JobTable* job =
        s_.job_table_ != nullptr && table_ == s_.job_table_->records()
            ? s_.job_table_
            : nullptr;
    const option* record = findName(job, text, nullptr, end, equals);
    if (record == nullptr) {
      const bool falls = longOnly_ && words_[first_][1] != '-';
      const char* letter = !falls ? nullptr
                           : job  ? job->letter(text[0])
                                  : std::strchr(letters(), text[0]);
      if (letter != nullptr) {
        entry = text[0] == ':' ? nullptr : letter;  // ':' is no option
        return false;
      }
      code = fail(XelGetOpt::unrecognized_option, text);
      s_.nextchar += std::strlen(text);
      ++s_.optind;
      return true;
    }
    const char* secondEnd = nullptr;
    const char* secondEquals = nullptr;
    if (equals != nullptr &&
        findName(job, text, record, secondEnd, secondEquals) != nullptr) {
      code = fail(XelGetOpt::ambiguous_option, nullptr);
      s_.nextchar = const_cast<char*>(end);
      ++s_.optind;
      return true;
    }
    code = takeLongOption(*record, equals, end);
    return true;
  }

  // The first record after `after` (from the first when null) whose name is
  // the whole text, through the job table's chains when the table is one.
  // The text is read only as far as a name goes: a long cluster stays
  // linear.
  const option* findName(const JobTable* job, const char* text,
                         const option* after, const char*& end,
                         const char*& equals) const {
    if (job != nullptr) {
      for (int i = after != nullptr
                       ? job->next(static_cast<int>(after - table_))
                       : job->first(text[0]);
           i >= 0; i = job->next(i)) {
        if (job->isWhole(i, text)) {
          end = text + job->length(i);
          return &table_[i];
        }
      }
      return nullptr;
    }
    const auto matches = [&](const option* record) {
      return record->name[0] == text[0] &&
             isWhole(record->name, text, end, equals);
    };
    // Two records a turn (45 instructions of the typical scan's walks): a
    // record whose name is not null has one after it.
    for (const option* record = after != nullptr ? after + 1 : table_;;
         record += 2) {
      if (record[0].name == nullptr || matches(record)) {
        return record[0].name != nullptr ? record : nullptr;
      }
      if (record[1].name == nullptr || matches(record + 1)) {
        return record[1].name != nullptr ? record + 1 : nullptr;
      }
    }
  }

  int takeLongOption(const option& record, const char* equals,
                     const char* end) {
    ++s_.optind;
    s_.nextchar = const_cast<char*>(end);
    if (equals != nullptr) {
      if (record.has_arg == XelGetOpt::no_argument) {
        return fail(XelGetOpt::argument_not_allowed, record.name);
      }
      s_.optarg_value = const_cast<char*>(equals + 1);
    } else if (record.has_arg == XelGetOpt::required_argument) {
      if (endsAt(s_.optind)) {
        return fail(XelGetOpt::missing_argument, nullptr);
      }
      s_.optarg_value = words_[s_.optind++];
    }
    if (index_ != nullptr) {
      *index_ = static_cast<int>(&record - table_);
    }
    if (record.flag != nullptr) {
      *record.flag = record.val;
      return 0;
    }
    return record.val;
  }

  // entry: the letter's entry in the option string, or null.
  int scanShort(const char* entry) {
    const char letter = *s_.nextchar++;
    if (*s_.nextchar == '\0') {
      ++s_.optind;
    }
    if (entry == nullptr) {
      s_.optopt = widen(letter);
      return fail(XelGetOpt::illegal_option, nullptr, letter);
    }
    if (entry[1] == ':' && *s_.nextchar != '\0') {
      // Attached, whether the argument is required or optional ("::").
      s_.optarg_value = s_.nextchar;
      ++s_.optind;
    } else if (entry[1] == ':' && entry[2] != ':') {
      if (endsAt(s_.optind)) {
        s_.optopt = widen(letter);
        s_.nextchar = nullptr;
        return fail(XelGetOpt::missing_argument, nullptr, letter);
      }
      s_.optarg_value = words_[s_.optind++];
    }
    if (entry[1] == ':') {
      s_.nextchar = nullptr;
    }
    return widen(letter);
  }

  // Whether the vector ends at index: at the count, or at a null element
  // before it, which from then on is the end (a caller who counts the
  // closing null must not have it read as a word).
  bool endsAt(int index) {
    if (index < count_ && words_[index] != nullptr) {
      return false;
    }
    if (index < count_) {
      count_ = index;
      s_.null_at_ = index;
    }
    return true;
  }

  const char* elementAt(int index) {
    return endsAt(index) ? nullptr : words_[index];
  }

  void noteConsumed(int first, int end) {
    if (observed_) {
      s_.step_first_ = first;
      s_.step_count_ = end - first;
    }
  }

  int consumeNothing() {
    noteConsumed(0, 0);
    return -1;
  }

  // Notes the error and its diagnostic, and gives the call's code.
  int fail(XelGetOpt::error_kind kind, const char* text, char letter = '\0') {
    s_.error_ = kind;
    diagnostic_ = Diagnostic{kind, words_[first_], text, letter};
    return kind == XelGetOpt::missing_argument && letters()[0] == ':' ? ':'
                                                                      : '?';
  }

  XelGetOpt& s_;
  int count_;
  char** words_;
  const char* options_;
  const option* table_;
  int* index_;
  bool longOnly_;
  bool observed_;
  int first_ = 0;  // the option element being scanned
  Diagnostic diagnostic_;
};

}  // namespace xelopts::detail

using xelopts::detail::ScannerEngine;

// Flattened, as is _getopt_internal: the engine's steps, split for reading,
// cost no calls (about 850 instructions of a typical scan's 4,400).
XELOPTS_FLATTEN int XelGetOpt::getopt() {
  const bool long_only = longopts != nullptr;
  return ScannerEngine(*this, argc, argv, optstring, longopts,
                       long_only ? &longind : nullptr, long_only)
      .run();
}

// One engine for the whole scan, its inputs checked once: each call's
// checks and entry saved, about 30 instructions a call (290 to 415 a parse).
XELOPTS_FLATTEN void xelopts::detail::scanApplying(XelGetOpt& scanner,
                                                   XelOptionsParser& parser,
                                                   Appliers appliers) {
  // A parser's scanner always has its kind's table: long-only, as getopt().
  // It is private, and a parse without a report reads nothing but the codes
  // and values: no longind, no account of the words each call consumed.
  ScannerEngine engine(scanner, scanner.argc, scanner.argv, scanner.optstring,
                       scanner.longopts, nullptr, true, false);
  for (int code = engine.run(); code != -1; code = engine.next()) {
    apply(appliers, parser, code, scanner.optarg_value, nullptr);
  }
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

XELOPTS_FLATTEN int XelGetOpt::_getopt_internal(int count, char* const* vector,
                                                const char* options,
                                                const option* table, int* index,
                                                int long_only) {
  return ScannerEngine(*this, count, vector, options, table, index,
                       long_only != 0)
      .run();
}

// Out of line, the rotate takes no registers from the calls that do not
// permute (8 to 12 instructions a scan).
XELOPTS_NOINLINE void XelGetOpt::exchange(char** vector) {
  const int first = first_nonopt;
  const int last = last_nonopt;
  const int end = optind;
  if (!(0 <= first && first < last && last < end)) {
    return;  // nothing to move; never reach outside the vector
  }
  // Only pointers move, each block in its order; nothing is allocated.
  std::rotate(vector + first, vector + last, vector + end);
  first_nonopt = first + end - last;
  last_nonopt = end;
}
