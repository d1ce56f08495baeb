#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Instructions per case, xelopts and its peer, counted by callgrind: the
# typical request (17 names registered, 19 words scanned) and the scan alone
# against the C library's getopt_long_only, and a parse of each job kind
# against a hand-written parser on the C library. Builds the bench preset
# (Release, -O2: the benchmark as the library ships), then runs each side
# COUNT times and 0 times (after one warm-up round each) in an empty
# environment; the difference over COUNT is the work of one round, the
# program's loading and checks cancelled. The same build gives the same
# figures on any machine with the same compiler and C library.
# Usage: bench/instructions.sh [COUNT] (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
cmake --preset bench >/dev/null
cmake --build --preset bench --target xelopts_instructions >/dev/null
bin=$PWD/build/bench/bench/xelopts_instructions
valgrind=$(command -v valgrind)
out=$(mktemp)
trap 'rm -f "$out" "$out.log"' EXIT

# Instructions of one run: case, side, rounds.
instructions() {
  env -i "$valgrind" --tool=callgrind --callgrind-out-file="$out" \
    "$bin" "$1" "$2" "$3" >/dev/null 2>"$out.log" ||
    { cat "$out.log" >&2; exit 1; }
  sed -n 's/^summary: //p' "$out"
}

per_round() {
  local many none
  many=$(instructions "$1" "$2" "$count")
  none=$(instructions "$1" "$2" 0)
  echo $(((many - none + count / 2) / count))
}

echo "| case | words | xelopts | peer | peer's | ratio |"
echo "|---|---:|---:|---|---:|---:|"
"$bin" --cases | while read -r name peer words; do
  ours=$(per_round "$name" xelopts)
  theirs=$(per_round "$name" peer)
  ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')
  echo "| $name | $words | $ours | $peer | $theirs | $ratio |"
done
