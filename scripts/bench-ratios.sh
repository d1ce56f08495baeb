#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the bench preset (Release, -O2), runs every comparison side by side
# with repetitions in random interleaving, and prints the ratio tables of
# bench/README.md (the option libraries' only for those found at configure
# time).
# Usage: scripts/bench-ratios.sh [extra xelopts_bench arguments]
# BENCH_REPETITIONS (default 30) and BENCH_MIN_TIME (seconds per repetition,
# default 0.1) tune the run; many short repetitions spread each side over the
# machine's quiet and busy moments alike. The JSON lands in
# build/bench/bench.json.
set -euo pipefail
cd "$(dirname "$0")/.."
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/bench/xelopts_bench \
  --benchmark_repetitions="${BENCH_REPETITIONS:-30}" \
  --benchmark_min_time="${BENCH_MIN_TIME:-0.1}" \
  --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out=build/bench/bench.json --benchmark_out_format=json "$@" >&2
python3 bench/bench_ratios.py build/bench/bench.json
