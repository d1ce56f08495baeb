#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compares the ABI of a release build's library (the release and library
# presets build it with debug information) with the committed baseline
# tests/abi/libxelopts.abi; any difference fails with status 1, a
# comparison that cannot run with status 2. With --update, writes the
# baseline from the library instead, for a change made on purpose.
# Every type the exported symbols reach counts. abidiff's filter by header
# folder tells a public type by its source location, which the baseline
# does not record: it took every type for a private one and hid each change.
# scripts/abi-check-selftest.sh shows that an incompatible change fails.
# Usage: scripts/abi-check.sh [--update] [BUILD-DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
update=false
if [ "${1:-}" = --update ]; then
  update=true
  shift
fi
library=$(readlink -f "${1:-build/release}/src/libxelopts.so.1" || true)
if [ ! -f "$library" ]; then
  echo "no library at ${1:-build/release}/src/libxelopts.so.1"
  exit 2
fi
baseline=tests/abi/libxelopts.abi
if $update; then
  abidw --no-corpus-path --no-comp-dir-path --no-show-locs \
    --out-file "$baseline" "$library"
  # Sources named relative to the repository, wherever it was built.
  sed -i "s|path='$PWD/|path='|" "$baseline"
  echo "wrote $baseline from $library"
  exit 0
fi
# abidiff's status is a bit set: 1 an error, 2 a usage error, 4 an ABI
# change, 8 an incompatible one.
status=0
abidiff --fail-no-debug-info --harmless "$baseline" "$library" || status=$?
if [ "$status" -eq 0 ]; then
  echo "ABI: $library matches $baseline"
  exit 0
fi
if [ $((status & 3)) -ne 0 ]; then
  echo "abidiff could not compare $library with $baseline (status $status)"
  exit 2
fi
echo "ABI of $library differs from $baseline (see the README: a change on"
echo "purpose means scripts/abi-check.sh --update, and an incompatible one"
echo "a new SONAME)"
exit 1
