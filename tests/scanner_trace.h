// SPDX-License-Identifier: MIT
// Runs a scan to its end and writes down what it returned, so that scanner
// tests compare one readable line: "x o[value] ? -1".
#ifndef XELOPTS_TESTS_SCANNER_TRACE_H
#define XELOPTS_TESTS_SCANNER_TRACE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "XelGetOpt.h"
#include "test_support.h"

namespace test_support {

struct Trace {
  std::string codes;  // printable codes as letters, others as numbers
  std::string err;    // the scan's diagnostics, one line each
};

inline std::string code_text(int code) {
  return code > ' ' && code < 127 ? std::string(1, static_cast<char>(code))
                                  : std::to_string(code);
}

// Calls next (by default the scanner's own operator()) until -1, the
// diagnostics going to a sink: they are the bytes standard error would get
// (the sink's own test holds it to that). Codes that carry no argument must
// leave optarg() null.
inline Trace trace(XelGetOpt& scanner, std::function<int()> next = nullptr) {
  if (!next) {
    next = [&scanner] { return scanner(); };
  }
  Trace result;
  scanner.set_diagnostic_sink(
      [](void* err, const char* line, std::size_t length) {
        static_cast<std::string*>(err)->append(line, length).append("\n");
      },
      &result.err);
  for (int calls = 0; calls < 200; ++calls) {
    const int code = next();
    result.codes += (calls == 0 ? "" : " ") + code_text(code);
    if (const char* arg = scanner.optarg()) {
      result.codes += "[" + std::string(arg) + "]";
      EXPECT_TRUE(code != -1 && code != ':' && code != '?')
          << "argument after code " << code;
    }
    if (code == -1) {
      scanner.set_diagnostic_sink(nullptr, nullptr);
      return result;
    }
  }
  scanner.set_diagnostic_sink(nullptr, nullptr);
  ADD_FAILURE() << "the scan never returned -1";
  return result;
}

// A case's name in test lists and ctest's test names: its option string and
// line, with each byte outside printable ASCII as \xHH so that logs stay text.
inline std::string case_name(const std::string& optstring,
                             const std::string& line) {
  std::string name;
  for (const char c : optstring + " " + line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= ' ' && byte < 127) {
      name += c;
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      name += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return name;
}

// The fixture of the scanner's case tables: POSIXLY_CORRECT is unset unless
// a case sets it.
template <class Case>
class ScannerCases : public ::testing::TestWithParam<Case> {
 protected:
  EnvGuard posixly_correct_{"POSIXLY_CORRECT", std::nullopt};
};

}  // namespace test_support

#endif  // XELOPTS_TESTS_SCANNER_TRACE_H
