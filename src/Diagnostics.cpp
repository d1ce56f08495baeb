#include "Diagnostics.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>

namespace xelopts::detail {
namespace {

void writeLine(std::initializer_list<const char*> pieces,
               XelGetOpt::diagnostic_sink sink, void* context) {
  // The line and one byte more, for its line end or the sink's NUL; most
  // lines fit on the stack.
  std::size_t length = 0;
  for (const char* piece : pieces) {
    length += std::strlen(piece);
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
      std::fputs(piece, stderr);
    }
    std::fputc('\n', stderr);
    std::fflush(stderr);
    funlockfile(stderr);
    return;
  }
  char* at = line;
  for (const char* piece : pieces) {
    at = std::copy_n(piece, std::strlen(piece), at);
  }
  if (sink != nullptr) {
    line[length] = '\0';
    sink(context, line, length);
    return;
  }
  // One write per line, so that concurrent scans do not split lines.
  line[length] = '\n';
  flockfile(stderr);
  std::fwrite(line, 1, length + 1, stderr);
  std::fflush(stderr);
  funlockfile(stderr);
}

}  // namespace

void emit(Diagnostic d, const char* program,
          XelGetOpt::diagnostic_sink sink, void* context) {
  const bool doubleDash = d.element != nullptr && d.element[1] == '-';
  const char letter[2] = {d.letter, '\0'};
  switch (d.kind) {
    case DiagnosticKind::none:
      return;
    case DiagnosticKind::ambiguousName:
      writeLine({program, ": option `", d.element, "' is ambiguous"}, sink,
                context);
      return;
    case DiagnosticKind::argumentNotAllowed:
      writeLine({program, ": option `", doubleDash ? "--" : "-", d.text,
                 "' doesn't allow an argument"},
                sink, context);
      return;
    case DiagnosticKind::longArgumentMissing:
      writeLine({program, ": option `", d.element, "' requires an argument"},
                sink, context);
      return;
    case DiagnosticKind::unrecognizedOption:
      // After two dashes the text is shown alone, after one with its dash.
      writeLine({program, ": unrecognized option `", doubleDash ? "" : "-",
                 d.text, "'"},
                sink, context);
      return;
    case DiagnosticKind::illegalLetter:
      writeLine({program, ": illegal option -- ", letter}, sink, context);
      return;
    case DiagnosticKind::shortArgumentMissing:
      writeLine({program, ": option requires an argument -- ", letter}, sink,
                context);
      return;
  }
}

}  // namespace xelopts::detail
