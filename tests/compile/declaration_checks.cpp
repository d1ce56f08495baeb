// SPDX-License-Identifier: MIT
// A job kind's declaration is checked at compile time: each mistake is
// found, and named, by the kind made from it. This file compiles only
// while every row below gives its mistake.
#include <cstdint>
#include <string>
#include <tuple>

#include "JobDeclaration.h"

namespace xelopts::detail {
namespace {

struct Record {
  std::uint64_t number = 0;
  std::string text;
  bool flag = false;
  bool other = false;
};

template <class Member>
constexpr Field<Record, Member> row(Member Record::*member, FieldRule rule,
                                    Writers writers) {
  return {{"getField", "field", rule, writers, "meaning"}, member};
}

template <class... Rows>
constexpr Problem problemOf(const char* order, Rows... rows) {
  return JobKind(order, std::tuple{rows...}).problem();
}

constexpr auto kNumber = &Record::number;
constexpr auto kFlag = &Record::flag;
constexpr auto kOther = &Record::other;
using R = FieldRule;
using M = Mistake;

static_assert(problemOf("n", row(kNumber, R::number, letter('n')),
                        row(kFlag, R::flag, option('f', "flag")))
                  .mistake == M::none);
static_assert(problemOf("", row(kNumber, R::number, option('u'))).mistake ==
              M::noName);
static_assert(problemOf("", row(kNumber, R::number, option('u', "a=b")))
                  .mistake == M::unspellable);
static_assert(problemOf("", row(kNumber, R::number,
                                option('u', "names-may-have-31-bytes-at-most")))
                  .mistake == M::none);
static_assert(problemOf("",
                        row(kNumber, R::number,
                            option('u', "names-may-have-31-bytes-at-most!")))
                  .mistake == M::unspellable);
static_assert(problemOf("", row(kNumber, R::number, option('u', "x")),
                        row(kFlag, R::flag, option('u', "y")))
                  .code == 'u');
static_assert(problemOf("", row(kNumber, R::number, Writers{})).mistake ==
              M::noOption);
static_assert(problemOf("z", row(kNumber, R::number, letter('n'))).mistake ==
              M::notOfKind);
static_assert(problemOf("", row(kNumber, R::number, letter('n').ignoresValue()))
                  .mistake == M::notFlags);
static_assert(problemOf("", row(kNumber, R::number, letter('n')),
                        row(kFlag, R::flag, partOf('n')),
                        row(kOther, R::flag, partOf('n')))
                  .mistake == M::tooMany);

}  // namespace
}  // namespace xelopts::detail
