#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shows that scripts/abi-check.sh fails on an incompatible change: in a
# temporary copy of the tracked sources, XelGetOpt::option (the long-option
# record, whose size callers compile into their tables) gets a member more
# at its end; the library preset builds the copy, and the check of that
# library against this tree's baseline must fail as an ABI difference that
# names the new member. Run after the check has passed on this tree.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/xelopts"
mkdir "$copy"
git ls-files -z | xargs -0 cp --parents -t "$copy"

# The member goes last, with an initializer, so that every aggregate
# initialization of the record still compiles.
header="$copy/include/XelGetOpt.h"
awk '
  /^ *struct option \{/ { inside = 1 }
  inside && /^ *\};/ { print "    long abi_selftest_member = 0;"; inside = 0 }
  { print }' "$header" >"$work/header"
mv "$work/header" "$header"
grep -q abi_selftest_member "$header" ||
  { echo "ABI self-test: no 'struct option {' in include/XelGetOpt.h"; exit 1; }

(cd "$copy" && cmake --workflow --preset library >"$work/build.log" 2>&1) ||
  { cat "$work/build.log"; echo "ABI self-test: the changed copy does not build"; exit 1; }
status=0
scripts/abi-check.sh "$copy/build/library" >"$work/check.log" 2>&1 || status=$?
if [ "$status" -ne 1 ] || ! grep -q abi_selftest_member "$work/check.log"; then
  cat "$work/check.log"
  echo "ABI self-test: a member added to XelGetOpt::option was not reported"
  echo "(check status $status; 1 is a reported difference)"
  exit 1
fi
grep -E "^ *'long int abi_selftest_member'" "$work/check.log" || true
echo "ABI self-test: the check fails on a member added to XelGetOpt::option"
