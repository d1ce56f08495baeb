// SPDX-License-Identifier: MIT
// XelGetOpt against the C library's getopt family on random inputs from the
// behaviour both share: every code, argument, optopt of a short-option
// error, long index, flag store, the final optind and the final vector order
// must be identical.
//
// XELOPTS_DIFF_VECTORS raises the number of vectors per configuration (a
// long run); XELOPTS_DIFF_SEED picks another seed.
#include <getopt.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "RandomCase.h"
#include "XelGetOpt.h"

namespace {

// Never a code or letter: marks "optopt not written by this call".
constexpr int kUntouched = 100000;

struct Step {
  int code;
  const char* arg;  // identity, not just text: both point into one vector
  int optopt;
  int longindex;
  std::vector<int> flags;

  bool operator==(const Step& o) const {
    return code == o.code && arg == o.arg && optopt == o.optopt &&
           longindex == o.longindex && flags == o.flags;
  }
};

struct Trace {
  std::vector<Step> steps;
  int final_optind = 0;
  std::vector<char*> final_order;
  bool ended = false;  // reached -1 within the call budget
};

// The texts live here; each side scans its own copy of the pointers.
struct Vector {
  explicit Vector(const std::vector<std::string>& words) : texts(words) {
    for (std::string& t : texts) {
      pointers.push_back(&t[0]);
    }
    pointers.push_back(nullptr);
  }
  std::vector<std::string> texts;
  std::vector<char*> pointers;
  int argc() const { return static_cast<int>(pointers.size()) - 1; }
};

int call_budget(const RandomCase& c) {
  int letters = 0;
  for (const std::string& w : c.words) {
    letters += static_cast<int>(w.size());
  }
  return 2 * (letters + static_cast<int>(c.words.size())) + 4;
}

void set_posixly(PosixlyCorrect mode) {
  switch (mode) {
    case PosixlyCorrect::kAbsent:
      unsetenv("POSIXLY_CORRECT");
      break;
    case PosixlyCorrect::kEmpty:
      setenv("POSIXLY_CORRECT", "", 1);
      break;
    case PosixlyCorrect::kSet:
      setenv("POSIXLY_CORRECT", "1", 1);
      break;
  }
}

Trace run_xelopts(const RandomCase& c, std::vector<char*> argv) {
  const int argc = static_cast<int>(argv.size()) - 1;
  std::vector<int> flags(c.longs.size(), -7);
  std::vector<XelGetOpt::option> table;
  for (std::size_t i = 0; i < c.longs.size(); ++i) {
    const LongName& l = c.longs[i];
    table.push_back({l.name.c_str(), XelGetOpt::ParamType(l.has_arg),
                     l.flagged ? &flags[i] : nullptr, l.val});
  }
  table.push_back({nullptr, XelGetOpt::ParamType(no_argument), nullptr, 0});

  XelGetOpt scanner(argc, argv.data(), c.optstring.c_str());
  scanner.opterr = 0;
  if (c.wrapper == Wrapper::kCallOperator) {
    for (const LongName& l : c.longs) {
      scanner.add_long_option(l.name.c_str(), XelGetOpt::ParamType(l.has_arg),
                              static_cast<char>(l.val));
    }
  }
  Trace trace;
  const int budget = call_budget(c);
  for (int calls = 0; calls < budget; ++calls) {
    int index = -1;
    scanner.optopt = kUntouched;
    scanner.longind = -1;
    int code = 0;
    switch (c.wrapper) {
      case Wrapper::kGetopt:
        code = scanner.getopt(argc, argv.data(), c.optstring.c_str());
        break;
      case Wrapper::kGetoptLong:
        code = scanner.getopt_long(argc, argv.data(), c.optstring.c_str(),
                                   table.data(), &index);
        break;
      case Wrapper::kGetoptLongOnly:
        code = scanner.getopt_long_only(argc, argv.data(), c.optstring.c_str(),
                                        table.data(), &index);
        break;
      case Wrapper::kCallOperator:
        code = scanner();
        index = scanner.longind;
        break;
    }
    trace.steps.push_back(
        {code, scanner.optarg(), scanner.optopt, index, flags});
    if (code == -1) {
      trace.ended = true;
      break;
    }
  }
  trace.final_optind = scanner.optind;
  trace.final_order = argv;
  return trace;
}

Trace run_c_library(const RandomCase& c, std::vector<char*> argv,
                    const Trace& ours) {
  const int argc = static_cast<int>(argv.size()) - 1;
  std::vector<int> flags(c.longs.size(), -7);
  std::vector<struct option> table;
  for (std::size_t i = 0; i < c.longs.size(); ++i) {
    const LongName& l = c.longs[i];
    table.push_back(
        {l.name.c_str(), l.has_arg, l.flagged ? &flags[i] : nullptr, l.val});
  }
  table.push_back({nullptr, 0, nullptr, 0});

  ::optind = 0;
  ::opterr = 0;
  Trace trace;
  const int budget = call_budget(c);
  for (int calls = 0; calls < budget; ++calls) {
    int index = -1;
    ::optopt = kUntouched;
    int code = 0;
    const bool plain = c.wrapper == Wrapper::kGetopt ||
                       (c.wrapper == Wrapper::kCallOperator && c.longs.empty());
    if (plain) {
      code = ::getopt(argc, argv.data(), c.optstring.c_str());
    } else if (c.wrapper == Wrapper::kGetoptLong) {
      code = ::getopt_long(argc, argv.data(), c.optstring.c_str(), table.data(),
                           &index);
    } else {
      code = ::getopt_long_only(argc, argv.data(), c.optstring.c_str(),
                                table.data(), &index);
    }
    // Errors of long options set optopt here and leave ours alone (a design
    // difference): compare it where ours reported a short-option error.
    const std::size_t at = trace.steps.size();
    const bool short_error =
        at < ours.steps.size() && ours.steps[at].optopt != kUntouched;
    trace.steps.push_back(
        {code, ::optarg, short_error ? ::optopt : kUntouched, index, flags});
    if (code == -1) {
      trace.ended = true;
      break;
    }
  }
  trace.final_optind = ::optind;
  trace.final_order = argv;
  return trace;
}

std::string show(const Step& s) {
  std::string text = "code " + std::to_string(s.code) + " arg ";
  text +=
      s.arg == nullptr ? std::string("null") : "\"" + std::string(s.arg) + "\"";
  return text + " optopt " + std::to_string(s.optopt) + " longindex " +
         std::to_string(s.longindex);
}

// Empty when both sides agree; otherwise the first difference.
std::string compare(const RandomCase& c) {
  Vector vector(c.words);
  set_posixly(c.posixly);
  const Trace ours = run_xelopts(c, vector.pointers);
  const Trace theirs = run_c_library(c, vector.pointers, ours);
  if (!ours.ended) {
    return "no -1 within the call budget: " + c.describe();
  }
  const std::size_t common = std::min(ours.steps.size(), theirs.steps.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (!(ours.steps[i] == theirs.steps[i])) {
      return "call " + std::to_string(i) + ": xelopts " + show(ours.steps[i]) +
             " / C library " + show(theirs.steps[i]) + "\n  " + c.describe();
    }
  }
  if (ours.steps.size() != theirs.steps.size()) {
    return "call counts " + std::to_string(ours.steps.size()) + " / " +
           std::to_string(theirs.steps.size()) + "\n  " + c.describe();
  }
  if (ours.final_optind != theirs.final_optind) {
    return "final optind " + std::to_string(ours.final_optind) + " / " +
           std::to_string(theirs.final_optind) + "\n  " + c.describe();
  }
  if (ours.final_order != theirs.final_order) {
    std::string text = "final order differs:";
    for (char* p : ours.final_order) {
      text += p == nullptr ? std::string(" |") : " " + std::string(p);
    }
    text += " /";
    for (char* p : theirs.final_order) {
      text += p == nullptr ? std::string(" |") : " " + std::string(p);
    }
    return text + "\n  " + c.describe();
  }
  return "";
}

long env_number(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10)
                                          : fallback;
}

struct Configuration {
  Wrapper wrapper;
  PosixlyCorrect posixly;
};

class DifferentialTest : public ::testing::TestWithParam<Configuration> {
 protected:
  void TearDown() override { unsetenv("POSIXLY_CORRECT"); }
};

TEST_P(DifferentialTest, AgreesWithTheCLibraryOnRandomVectors) {
  const Configuration config = GetParam();
  const long vectors = env_number("XELOPTS_DIFF_VECTORS", 2000);
  const auto seed = static_cast<std::uint64_t>(
      env_number("XELOPTS_DIFF_SEED", 20261207) * 16 +
      static_cast<int>(config.wrapper) * 4 + static_cast<int>(config.posixly));
  RandomCaseGenerator generator(seed);
  int differences = 0;
  for (long i = 0; i < vectors; ++i) {
    const RandomCase c = generator.next(config.wrapper, config.posixly);
    const std::string difference = compare(c);
    if (!difference.empty() && ++differences <= 5) {
      ADD_FAILURE() << "vector " << i << ": " << difference;
    }
  }
  EXPECT_EQ(differences, 0) << "of " << vectors << " vectors";
}

std::vector<Configuration> all_configurations() {
  std::vector<Configuration> all;
  for (Wrapper w : {Wrapper::kGetopt, Wrapper::kGetoptLong,
                    Wrapper::kGetoptLongOnly, Wrapper::kCallOperator}) {
    for (PosixlyCorrect p : {PosixlyCorrect::kAbsent, PosixlyCorrect::kEmpty,
                             PosixlyCorrect::kSet}) {
      all.push_back({w, p});
    }
  }
  return all;
}

std::string configuration_name(
    const ::testing::TestParamInfo<Configuration>& info) {
  static const char* const kWrappers[] = {"Getopt", "GetoptLong",
                                          "GetoptLongOnly", "CallOperator"};
  static const char* const kPosixly[] = {"PermitOrder", "PosixlyEmpty",
                                         "PosixlySet"};
  return std::string(kWrappers[static_cast<int>(info.param.wrapper)]) +
         kPosixly[static_cast<int>(info.param.posixly)];
}

INSTANTIATE_TEST_SUITE_P(AllWrappers, DifferentialTest,
                         ::testing::ValuesIn(all_configurations()),
                         configuration_name);

}  // namespace
