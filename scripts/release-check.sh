#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails (status 1, each disagreement on a line) unless what a release states
# of itself agrees with the version in include/xelopts/XeloptsVersion.h,
# which CMake's project() takes:
# - CHANGELOG.md's top heading, "## VERSION (DATE)";
# - the manual pages' .TH lines, "xelopts VERSION";
# - the ABI baseline, tests/abi/libxelopts.abi: the SONAME libxelopts.so.MAJOR
#   and every symbol in the version node XELOPTS_MAJOR, the node that
#   src/exports.map gives;
# - the exported-symbol list, tests/exported_symbols.txt: the baseline's
#   symbols, demangled;
# - the README's FetchContent snippets: GIT_TAG vVERSION and the archive
#   xelopts-VERSION.tar.gz;
# - given a build folder: a build of this version, with its ABI the
#   baseline's (scripts/abi-check.sh; that needs a release build).
# The check mode, the default, which CI runs, accepts "(unreleased)" as the
# CHANGELOG's date. --release requires a date (YYYY-MM-DD), a committed
# work tree and the build (default build/release); then it makes the source
# archive, which must build and pass its tests in its own folder
# (scripts/make-archive.sh --check), and prints the command that tags the
# release: it tags nothing itself.
# Usage: scripts/release-check.sh [--release] [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
usage() {
  echo "usage: scripts/release-check.sh [--release] [BUILD-DIR]" >&2
  exit 2
}
release=false
if [ "${1:-}" = --release ]; then
  release=true
  shift
fi
[ $# -le 1 ] || usage
case ${1:-} in -*) usage ;; esac
build=${1:-}
if $release; then
  build=${build:-build/release}
fi

problems=()
problem() { problems+=("$*"); }

header=include/xelopts/XeloptsVersion.h
macro() { sed -n "s/^#define XELOPTS_VERSION_$1 \([0-9]*\)$/\1/p" "$header"; }
version="$(macro MAJOR).$(macro MINOR).$(macro PATCH)"
if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "$header: no XELOPTS_VERSION_MAJOR, _MINOR and _PATCH" >&2
  exit 1
fi
major=${version%%.*}

heading=$(grep -m 1 '^## ' CHANGELOG.md || true)
date=""
if [[ $heading =~ ^##\ ([^ ]+)\ \(([^\)]+)\)$ ]]; then
  [ "${BASH_REMATCH[1]}" = "$version" ] ||
    problem "CHANGELOG.md: the top heading is for ${BASH_REMATCH[1]}, not $version"
  date=${BASH_REMATCH[2]}
else
  problem "CHANGELOG.md: the top heading '$heading' is not '## $version (DATE)'"
fi
dated=false
if [[ $date =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] &&
  [ "$(date -d "$date" +%F 2>/dev/null)" = "$date" ]; then
  dated=true
fi
if [ -z "$date" ]; then
  :  # no heading to read a date from: said above
elif $release && ! $dated; then
  problem "CHANGELOG.md: a release needs the date of $version as YYYY-MM-DD," \
    "not '($date)'"
elif ! $dated && [ "$date" != unreleased ]; then
  problem "CHANGELOG.md: the date '($date)' of $version is neither a" \
    "date (YYYY-MM-DD) nor (unreleased)"
fi

for page in docs/xelopts.3 docs/xeljob.1; do
  th=$(grep -m 1 '^\.TH ' "$page" || true)
  grep -qF "\"xelopts $version\"" <<<"$th" ||
    problem "$page: the .TH line does not name \"xelopts $version\": $th"
done

grep -q "^  GIT_TAG v$version)$" README.md ||
  problem "README.md: the FetchContent snippet does not pin GIT_TAG v$version"
grep -q "^  URL .*/xelopts-$version\.tar\.gz$" README.md ||
  problem "README.md: the FetchContent snippet does not fetch xelopts-$version.tar.gz"

baseline=tests/abi/libxelopts.abi
node="XELOPTS_$major"
grep -q "^<abi-corpus [^>]* soname='libxelopts.so.$major'" "$baseline" ||
  problem "$baseline: the SONAME is not libxelopts.so.$major"
symbols=$(grep -c '<elf-symbol ' "$baseline" || true)
in_node=$(grep -c "<elf-symbol [^>]* version='$node' " "$baseline" || true)
if [ "$symbols" -eq 0 ] || [ "$in_node" -ne "$symbols" ]; then
  problem "$baseline: $in_node of its $symbols symbols in the version node $node"
fi
grep -qx "$node {" src/exports.map ||
  problem "src/exports.map: the version node is not $node"
if ! diff <(LC_ALL=C sort tests/exported_symbols.txt) \
  <(grep -o "<elf-symbol name='[^']*'" "$baseline" | cut -d"'" -f2 | c++filt |
    LC_ALL=C sort -u) >/dev/null; then
  problem "tests/exported_symbols.txt and $baseline list other symbols" \
    "(refresh both from one release build)"
fi

tag="v$version"
if $release; then
  [ -z "$(git status --porcelain)" ] ||
    problem "the work tree has changes that are not committed"
  ! git rev-parse -q --verify "refs/tags/$tag" >/dev/null ||
    problem "the tag $tag exists already"
fi
if [ -n "$build" ]; then
  built=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" \
    2>/dev/null || true)
  if [ "$built" != "$version" ]; then
    problem "$build: not a configured build of $version (${built:-no CMake cache})"
  elif ! scripts/abi-check.sh "$build"; then
    problem "$build: its ABI is not the baseline's (scripts/abi-check.sh above)"
  fi
fi

if [ ${#problems[@]} -gt 0 ]; then
  printf '%s\n' "${problems[@]}"
  exit 1
fi
if ! $release; then
  echo "release check: $version agrees in $header, CHANGELOG.md ($date)," \
    "the manual pages, the README, the ABI baseline, the exported symbols${build:+ and $build}"
  exit 0
fi
scripts/make-archive.sh --check
echo "release check: $version of $date is ready. Tag it with:"
echo "  git tag -a $tag -m 'xelopts $version' $(git rev-parse HEAD)"
