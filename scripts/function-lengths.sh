#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the functions of the .cpp files git tracks under DIR (default tools)
# and of the headers they include from there, longest first: lines from the
# opening brace to the closing one, blank lines and comments included, as
# clang-tidy's readability-function-size counts them.
# Usage: scripts/function-lengths.sh [DIR]
# Needs build/dev/compile_commands.json (cmake --preset dev).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-tools}
config='{Checks: "-*,readability-function-size", CheckOptions: [{key: readability-function-size.LineThreshold, value: 1}]}'
git ls-files -- "$dir" | grep -E '\.cpp$' | while read -r file; do
  clang-tidy -p build/dev --quiet --header-filter="^$PWD/$dir/" \
    --config="$config" "$file" 2>/dev/null |
    sed -n -E "s|^$PWD/||; s/^([^:]+:[0-9]+):[0-9]+: warning: function '([^']+)'.*/\1 \2/p
               s/.*note: ([0-9]+) lines including.*/\1/p" | paste -d' ' - -
done | sort -u | awk '{ print $3, $1, $2 }' | sort -k1,1nr -k2
