#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compares the ABI of a release build's library (the release and library
# presets build it with debug information) with the committed baselines;
# any difference fails with status 1, a comparison that cannot run with
# status 2. With --update, writes the baselines from the build instead, for
# a change made on purpose.
# - tests/abi/libxelopts.abi: every type the exported symbols reach, as
#   libabigail sees it. abidiff's filter by header folder tells a public
#   type by its source location, which the baseline does not record: it
#   took every type for a private one and hid each change.
# - tests/abi/enumerators.txt: every enumerator of every enumeration that
#   the public headers declare, with its value. Callers compile the values
#   in, yet an enumeration that the exports hand out only as a plain integer
#   (ParseStep::conversions, XelGetOpt::ordering) reaches no exported type.
#   So a small library compiled from the public headers of the build's
#   sources, with the
#   debug information of every type they declare, gives abidw all of them,
#   and the list keeps those declared in the headers.
# scripts/abi-check-selftest.sh shows that an incompatible change fails.
# Usage: scripts/abi-check.sh [--update] [BUILD-DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
update=false
if [ "${1:-}" = --update ]; then
  update=true
  shift
fi
build=$(readlink -f "${1:-build/release}")
library=$(readlink -f "$build/src/libxelopts.so.1" || true)
if [ ! -f "$library" ]; then
  echo "no library at ${1:-build/release}/src/libxelopts.so.1"
  exit 2
fi
cache="$build/CMakeCache.txt"
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache" 2>/dev/null || true)
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$cache" 2>/dev/null || true)
if [ -z "$source_dir" ] || [ -z "$compiler" ]; then
  echo "no CMake cache with the source folder and the compiler in $build"
  exit 2
fi

# The baseline holds g++'s debug information. clang describes the same ABI
# in other words (destructors' parameters, for one), which abidiff reports
# as incompatible changes: a clang build cannot be compared with it.
producers=$(readelf --debug-dump=info --dwarf-depth=1 "$library" |
  sed -n 's/.*DW_AT_producer *:.*): //p' | sort -u)
if [ -z "$producers" ]; then
  echo "$library has no debug information (build it with -g, as the"
  echo "release and library presets do)"
  exit 2
fi
if grep -qv '^GNU C++' <<<"$producers"; then
  echo "$library was not built by g++ alone:"
  grep -v '^GNU C++' <<<"$producers" | cut -c1-60 | sed 's/^/  /'
  echo "The ABI baseline holds g++'s debug information, and other compilers"
  echo "describe the same ABI differently (clang: destructors' parameters,"
  echo "reported as incompatible changes). Check a g++ build: CXX=g++ with a"
  echo "fresh build folder, as the release and library presets build on"
  echo "Debian by default."
  exit 2
fi

baseline=tests/abi/libxelopts.abi
enumerators=tests/abi/enumerators.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every enumerator that the build's public headers declare, from the debug
# information of a library that includes them all.
for header in "$source_dir"/include/xelopts/*.h; do
  printf '#include "%s"\n' "$header"
done >"$work/types.cpp"
echo 'int xelopts_abi_types_anchor() { return 0; }' >>"$work/types.cpp"
cannot() {
  echo "the public headers' enumerators cannot be listed: $1 failed"
  exit 2
}
"$compiler" -std=c++17 -g -femit-class-debug-always \
  -fno-eliminate-unused-debug-types -shared -fPIC -o "$work/types.so" \
  "$work/types.cpp" || cannot "$compiler"
abidw --load-all-types --no-corpus-path --no-comp-dir-path \
  --out-file "$work/types.abi" "$work/types.so" || cannot abidw
python3 - "$work/types.abi" "$source_dir/include" \
  >"$work/enumerators.txt" <<'PYTHON' ||
import sys
import xml.etree.ElementTree as ET

corpus = ET.parse(sys.argv[1]).getroot()
folders = tuple(folder.rstrip("/") + "/" for folder in sys.argv[2:])
sizes = {t.get("id"): t.get("size-in-bits")
         for t in corpus.iter("type-decl")}
found = {}
def walk(element, scope):
    for child in element:
        name = child.get("name") or "(anonymous)"
        if child.tag == "enum-decl":
            if (child.get("filepath") or "").startswith(folders):
                whole = "::".join(scope + [name])
                underlying = child.find("underlying-type")
                size = sizes.get(underlying.get("type-id")
                                 if underlying is not None else None, "?")
                lines = ["%s: %s bits" % (whole, size)]
                lines += ["%s::%s = %s" % (whole, e.get("name"), e.get("value"))
                          for e in child.iter("enumerator")]
                found[whole] = lines
        elif child.tag in ("namespace-decl", "class-decl", "union-decl"):
            walk(child, scope + [name])
        else:
            walk(child, scope)
walk(corpus, [])
if not found:
    sys.exit("no enumeration found in the public headers' debug information")
for whole in sorted(found):
    print("\n".join(found[whole]))
PYTHON
  cannot python3

if $update; then
  abidw --no-corpus-path --no-comp-dir-path --no-show-locs \
    --out-file "$baseline" "$library"
  # Sources named relative to the repository, wherever it was built.
  sed -i "s|path='$PWD/|path='|" "$baseline"
  cp "$work/enumerators.txt" "$enumerators"
  echo "wrote $baseline from $library"
  echo "wrote $enumerators from the headers of $source_dir"
  exit 0
fi

differs=""
# abidiff's status is a bit set: 1 an error, 2 a usage error, 4 an ABI
# change, 8 an incompatible one.
status=0
abidiff --fail-no-debug-info --harmless "$baseline" "$library" || status=$?
if [ $((status & 3)) -ne 0 ]; then
  echo "abidiff could not compare $library with $baseline (status $status)"
  exit 2
fi
[ "$status" -eq 0 ] || differs+=" $baseline"
if ! diff -u --label "$enumerators" --label "the headers of $source_dir" \
  "$enumerators" "$work/enumerators.txt"; then
  differs+=" $enumerators"
fi
if [ -z "$differs" ]; then
  echo "ABI: $library matches $baseline, and its headers' enumerators"
  echo "match $enumerators"
  exit 0
fi
echo "ABI of $library differs from:$differs"
echo "(see docs/contributing.md: a change on purpose means scripts/abi-check.sh"
echo "--update, and an incompatible one a new SONAME)"
exit 1
