#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts the license's SPDX line at the top of every tracked source file that
# lacks it: "// SPDX-License-Identifier: MIT" in C++, the "#" form in CMake,
# shell and Python, after a "#!" line where there is one. With --check, only
# lists the files that lack it, and fails if there are any (CI).
# Usage: scripts/spdx.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = --check ] && check=true
tag="SPDX-License-Identifier: MIT"
missing=0
while IFS= read -r -d '' file; do
  case $file in
    *.cpp | *.h | *.c) line="// $tag" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.cmake.in | *.sh | *.py)
      line="# $tag" ;;
    *)
      # Other scripts: executable, their first line names the interpreter.
      if [ ! -x "$file" ] || [ "$(head -c 2 "$file")" != '#!' ]; then
        continue
      fi
      line="# $tag"
      ;;
  esac
  if [ "$(head -c 2 "$file")" = '#!' ]; then at=2; else at=1; fi
  [ "$(sed -n "${at}p" "$file")" = "$line" ] && continue
  missing=$((missing + 1))
  if $check; then
    echo "$file: line $at is not '$line'"
  elif [ "$at" -eq 1 ]; then
    sed -i "1i $line" "$file"
  else
    sed -i "1a $line" "$file"
  fi
done < <(git ls-files -z)
if $check && [ "$missing" -gt 0 ]; then
  echo "$missing source files lack their SPDX line: run scripts/spdx.sh"
  exit 1
fi
$check || echo "SPDX line added to $missing files"
