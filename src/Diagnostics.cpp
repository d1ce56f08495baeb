// SPDX-License-Identifier: MIT
#include "Diagnostics.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>

namespace xelopts::detail {
namespace {

constexpr char kShortened[] = " [shortened]";

// No memory for the whole line: standard error still gets it, in pieces,
// under the lock that keeps other scans' lines out.
void writeInPieces(std::initializer_list<const char*> pieces) {
  flockfile(stderr);
  for (const char* piece : pieces) {
    std::fputs(piece, stderr);
  }
  std::fputc('\n', stderr);
  std::fflush(stderr);
  funlockfile(stderr);
}

void writeLine(std::initializer_list<const char*> pieces,
               XelGetOpt::diagnostic_sink sink, void* context) {
  std::size_t length = 0;
  for (const char* piece : pieces) {
    length += std::strlen(piece);
  }
  // Most lines fit on the stack.
  char small[256];
  std::unique_ptr<char[]> large;
  char* line = small;
  std::size_t room = length;
  if (length >= sizeof small) {
    large.reset(new (std::nothrow) char[length + 1]);
    line = large.get();
  }
  if (line == nullptr && sink == nullptr) {
    return writeInPieces(pieces);
  }
  if (line == nullptr) {
    // The sink gets what fits on the stack, and is told so.
    line = small;
    room = sizeof small - sizeof kShortened;
  }
  char* at = line;
  for (const char* piece : pieces) {
    const std::size_t size = std::min(std::strlen(piece), room);
    at = std::copy_n(piece, size, at);
    room -= size;
  }
  if (static_cast<std::size_t>(at - line) < length) {
    at = std::copy_n(kShortened, sizeof kShortened - 1, at);
  }
  const auto written = static_cast<std::size_t>(at - line);
  if (sink != nullptr) {
    *at = '\0';
    sink(context, line, written);
    return;
  }
  // One write per line, so that concurrent scans do not split lines.
  *at = '\n';
  flockfile(stderr);
  std::fwrite(line, 1, written + 1, stderr);
  std::fflush(stderr);
  funlockfile(stderr);
}

}  // namespace

void emit(Diagnostic d, const char* program, XelGetOpt::diagnostic_sink sink,
          void* context) {
  const bool doubleDash = d.element[1] == '-';
  const char letter[2] = {d.letter, '\0'};
  switch (d.kind) {
    case XelGetOpt::no_error:
    case XelGetOpt::table_full:  // add_long_option's, on standard output
    case XelGetOpt::table_installed:
      return;
    case XelGetOpt::ambiguous_option:
      writeLine({program, ": option `", d.element, "' is ambiguous"}, sink,
                context);
      return;
    case XelGetOpt::argument_not_allowed:
      writeLine({program, ": option `", doubleDash ? "--" : "-", d.text,
                 "' doesn't allow an argument"},
                sink, context);
      return;
    case XelGetOpt::missing_argument:
      if (d.letter != '\0') {
        writeLine({program, ": option requires an argument -- ", letter}, sink,
                  context);
      } else {
        writeLine({program, ": option `", d.element, "' requires an argument"},
                  sink, context);
      }
      return;
    case XelGetOpt::unrecognized_option:
      // After two dashes the text is shown alone, after one with its dash.
      writeLine({program, ": unrecognized option `", doubleDash ? "" : "-",
                 d.text, "'"},
                sink, context);
      return;
    case XelGetOpt::illegal_option:
      writeLine({program, ": illegal option -- ", letter}, sink, context);
      return;
  }
}

}  // namespace xelopts::detail
