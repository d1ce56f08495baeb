#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one libFuzzer target for FUZZ_SECONDS (default: the first argument)
# from its seed corpus and dictionary, as the fuzz preset's test of it.
# A finding (crash, sanitizer report, broken invariant, leak) fails, shows
# the end of the log and leaves its input in WORK-DIR for fuzz/regressions/.
# Usage: run_fuzzer.sh SECONDS FUZZER NAME FUZZ-SOURCE-DIR WORK-DIR
set -euo pipefail
seconds=${FUZZ_SECONDS:-$1}
fuzzer=$2 name=$3 source=$4 work=$5
rm -rf "$work" && mkdir -p "$work/corpus"
status=0
"$fuzzer" -max_total_time="$seconds" -close_fd_mask=3 \
  -dict="$source/$name.dict" -artifact_prefix="$work/" -print_final_stats=1 \
  "$work/corpus" "$source/corpus/$name" >"$work/log" 2>&1 || status=$?
grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" || true
if [ "$status" -ne 0 ]; then
  tail -n 60 "$work/log"
  echo "fuzz target $name found a fault (its input is in $work)"
fi
exit "$status"
