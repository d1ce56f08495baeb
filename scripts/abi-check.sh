#!/usr/bin/env bash
# Compares the ABI of the release build's library (built with debug
# information by the release preset) with the committed baseline
# tests/abi/libxelopts.abi; any difference fails. With --update, writes the
# baseline from the library instead, for a change made on purpose.
# Usage: scripts/abi-check.sh [--update] [BUILD-DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
update=false
if [ "${1:-}" = --update ]; then
  update=true
  shift
fi
library=$(readlink -f "${1:-build/release}/src/libxelopts.so.1")
baseline=tests/abi/libxelopts.abi
# Only the types of the public headers count; the source layout does not.
if $update; then
  abidw --headers-dir include --drop-private-types --no-corpus-path \
    --no-comp-dir-path --no-show-locs --out-file "$baseline" "$library"
  # Sources named relative to the repository, wherever it was built.
  sed -i "s|path='$PWD/|path='|" "$baseline"
  echo "wrote $baseline from $library"
  exit 0
fi
if ! abidiff --fail-no-debug-info --headers-dir2 include --drop-private-types \
  --harmless "$baseline" "$library"; then
  echo "ABI of $library differs from $baseline (see the README: a change on"
  echo "purpose means scripts/abi-check.sh --update, and an incompatible one"
  echo "a new SONAME)"
  exit 1
fi
echo "ABI: $library matches $baseline"
