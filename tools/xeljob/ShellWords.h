// SPDX-License-Identifier: MIT
// A job line split into words as a POSIX shell splits a command's words,
// with its quoting and nothing more: single quotes, double quotes (where a
// backslash escapes only $ ` " \ and a line end) and backslashes. No
// expansion of any kind: $, `, *, ~, ;, | and the like are plain bytes. A
// line is only ever read, never run.
#ifndef XELJOB_SHELLWORDS_H
#define XELJOB_SHELLWORDS_H

#include <string>
#include <string_view>
#include <vector>

namespace xeljob {

struct ShellWords {
  std::vector<std::string> words;
  // Empty when the line was split; else why not, with the column (from 1)
  // where the trouble starts: "no closing ' for the quote at column 7".
  std::string error;
};

// Blanks (space, tab, line end) outside quotes separate words; a quoted
// empty text ('' or "") is a word. With `comments`, an unquoted # that
// begins a word starts a comment, up to the next line end.
ShellWords splitShellWords(std::string_view line, bool comments = false);

}  // namespace xeljob

#endif  // XELJOB_SHELLWORDS_H
