#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one libFuzzer target for FUZZ_SECONDS (default: the first argument)
# from its seed corpus and dictionary, as the fuzz preset's test of it.
# libFuzzer's progress shows as it runs, unless FUZZ_QUIET is set (CI sets
# it): then only its final counts. The target's own output is dropped
# (-close_fd_mask=3; libFuzzer writes to a copy of standard error).
# A finding (crash, sanitizer report, broken invariant, leak) fails, shows
# the end of the log and leaves its input in WORK-DIR for fuzz/regressions/.
# Usage: run_fuzzer.sh SECONDS FUZZER NAME FUZZ-SOURCE-DIR WORK-DIR
set -euo pipefail
seconds=${FUZZ_SECONDS:-$1}
fuzzer=$2 name=$3 source=$4 work=$5
rm -rf "$work" && mkdir -p "$work/corpus"
fuzz() {
  "$fuzzer" -max_total_time="$seconds" -close_fd_mask=3 \
    -dict="$source/$name.dict" -artifact_prefix="$work/" -print_final_stats=1 \
    "$work/corpus" "$source/corpus/$name" 2>&1
}
status=0
if [ -n "${FUZZ_QUIET:-}" ]; then
  fuzz >"$work/log" || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" || true
  [ "$status" -eq 0 ] || tail -n 60 "$work/log"
else
  fuzz | tee "$work/log" || status=$?
fi
[ "$status" -eq 0 ] || echo "fuzz target $name found a fault (its input is in $work)"
exit "$status"
