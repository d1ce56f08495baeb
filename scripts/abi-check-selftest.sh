#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shows that scripts/abi-check.sh fails on incompatible changes: in a
# temporary copy of the tracked sources, XelGetOpt::option (the long-option
# record, whose size callers compile into their tables) gets a member more
# at its end, and XelGetOpt::Ordering's REQUIRE_ORDER and PERMUTE swap
# values (an enumeration that no exported type reaches: the scanner's
# ordering is a plain int). The library preset builds the copy, and the
# check of that library against this tree's baselines must fail as an ABI
# difference that names both. Run after the check has passed on this tree.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/xelopts"
mkdir "$copy"
git ls-files -z | xargs -0 cp --parents -t "$copy"

# The member goes last, with an initializer, so that every aggregate
# initialization of the record still compiles.
header="$copy/include/xelopts/XelGetOpt.h"
awk '
  /^ *struct option \{/ { inside = 1 }
  inside && /^ *\};/ { print "    long abi_selftest_member = 0;"; inside = 0 }
  { print }' "$header" >"$work/header"
mv "$work/header" "$header"
grep -q abi_selftest_member "$header" ||
  { echo "ABI self-test: no 'struct option {' in include/xelopts/XelGetOpt.h"; exit 1; }
sed -i 's/REQUIRE_ORDER = 0, PERMUTE = 1,/REQUIRE_ORDER = 1, PERMUTE = 0,/' "$header"
grep -q 'REQUIRE_ORDER = 1, PERMUTE = 0,' "$header" ||
  { echo "ABI self-test: no 'REQUIRE_ORDER = 0, PERMUTE = 1,' in include/xelopts/XelGetOpt.h"; exit 1; }

(cd "$copy" && cmake --workflow --preset library >"$work/build.log" 2>&1) ||
  { cat "$work/build.log"; echo "ABI self-test: the changed copy does not build"; exit 1; }
status=0
scripts/abi-check.sh "$copy/build/library" >"$work/check.log" 2>&1 || status=$?
missed=""
grep -q abi_selftest_member "$work/check.log" ||
  missed+=" a member added to XelGetOpt::option;"
grep -qx '+XelGetOpt::Ordering::PERMUTE = 0' "$work/check.log" ||
  missed+=" XelGetOpt::Ordering's values swapped;"
if [ "$status" -ne 1 ] || [ -n "$missed" ]; then
  cat "$work/check.log"
  echo "ABI self-test: not reported:${missed:- (all reported)}"
  echo "(check status $status; 1 is a reported difference)"
  exit 1
fi
grep -E "^ *'long int abi_selftest_member'|^[-+]XelGetOpt::Ordering" \
  "$work/check.log" || true
echo "ABI self-test: the check fails on a member added to XelGetOpt::option"
echo "and on XelGetOpt::Ordering's values swapped"
