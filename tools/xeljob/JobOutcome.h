// SPDX-License-Identifier: MIT
// One look at a command line: the parser of a job kind built over the words
// with a parse report, its record, which values were not taken as written,
// and, traced, what each step of the scan changed.
#ifndef XELJOB_JOBOUTCOME_H
#define XELJOB_JOBOUTCOME_H

#include <cstddef>
#include <string>
#include <vector>

#include "JobKinds.h"

namespace xeljob {

// A field that a step changed: its new value, or for an appending field the
// text the step appended (never the whole value: a trace stays linear in
// the words).
struct Change {
  std::size_t step;  // in report.steps
  std::size_t field;
  Value value;
};

struct JobOutcome {
  const JobKind* kind = nullptr;
  // The kind's fields(), indexed as the record is.
  const XelOptionsParser::FieldSpec* fields = nullptr;
  bool posix = false;  // the parse ran with POSIXLY_CORRECT present
  std::vector<std::string> words;
  Record record;
  XelOptionsParser::ParseReport report;
  // Per field of the record: the conversions of its part of the value of
  // the step that last wrote it (of every step, for an appending field).
  std::vector<unsigned> conversions;
  // The steps with a conversion that no value of the record carries: a
  // value not read, or replaced later.
  std::vector<std::size_t> otherConversions;
  // Traced only: the changes of every step, in step order.
  std::vector<Change> changes;
  // The record written back as the kind's canonical command line, when
  // runJob was asked.
  XelOptionsParser::CommandLine canonical;

  // The text of the step's diagnostic, if it is an error that has one.
  const std::string* diagnosticOf(
      const XelOptionsParser::ParseStep& step) const;
};

// Calls each(field, conversions) for every field the step assigned, in the
// record's order, with the conversions of its own part of the value.
template <class Each>
void forEachAssigned(const XelOptionsParser::ParseStep& step, Each each) {
  std::size_t field = 0;
  std::size_t nth = 0;
  for (unsigned long bits = step.assigned.to_ulong(); bits != 0; bits >>= 1) {
    if ((bits & 1) != 0) {
      each(field, step.fieldConversions[nth++]);
    }
    ++field;
  }
}

// Sets POSIXLY_CORRECT for the parse when `posix` is true and removes it
// otherwise, so that only the tool's option decides. Element 0 of the
// parser's vector is the kind's name. `trace` fills changes; `canonical`
// writes the canonical line (else it stays empty).
JobOutcome runJob(const JobKind& kind, std::vector<std::string> words,
                  bool posix, bool trace, bool canonical = true);

// Replays a traced outcome's changes step by step, keeping each field's
// value before the step, so that a change can be shown as old -> new.
class ChangeReplay {
 public:
  explicit ChangeReplay(const JobOutcome& outcome);
  // The changes of the step, with the value before each (null for an
  // appended text). Steps are to be taken in order.
  template <class Show>
  void step(std::size_t index, Show show) {
    const std::vector<Change>& changes = outcome_.changes;
    for (; next_ < changes.size() && changes[next_].step == index; ++next_) {
      const Change& change = changes[next_];
      if (outcome_.fields[change.field].appends) {
        show(change, static_cast<const Value*>(nullptr));
      } else {
        show(change, &values_[change.field]);
        values_[change.field] = change.value;
      }
    }
  }

 private:
  const JobOutcome& outcome_;
  Record values_;
  std::size_t next_ = 0;
};

}  // namespace xeljob

#endif  // XELJOB_JOBOUTCOME_H
