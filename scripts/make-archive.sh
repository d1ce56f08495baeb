#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the source archive of the last commit, xelopts-VERSION.tar.gz (its
# files under xelopts-VERSION/), and xelopts-VERSION.tar.gz.sha256, the
# line of sha256sum for it, in OUTPUT-DIR (default build). With --check,
# then unpacks the archive into a temporary folder and builds and tests it
# there with `cmake --workflow --preset dev`, its log in
# OUTPUT-DIR/xelopts-VERSION-check.log.
# Usage: scripts/make-archive.sh [--check] [OUTPUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
if [ "${1:-}" = --check ]; then
  check=true
  shift
fi
[ $# -le 1 ] || { echo "usage: scripts/make-archive.sh [--check] [OUTPUT-DIR]" >&2; exit 2; }
out=${1:-build}

# The version of the commit archived, not of the work tree.
macro() {
  git show HEAD:include/xelopts/XeloptsVersion.h |
    sed -n "s/^#define XELOPTS_VERSION_$1 \([0-9]*\)$/\1/p"
}
name="xelopts-$(macro MAJOR).$(macro MINOR).$(macro PATCH)"
mkdir -p "$out"
git archive --format=tar.gz --prefix="$name/" -o "$out/$name.tar.gz" HEAD
(cd "$out" && sha256sum "$name.tar.gz" >"$name.tar.gz.sha256")
echo "$out/$name.tar.gz of $(git rev-parse HEAD)"
cat "$out/$name.tar.gz.sha256"
$check || exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -xzf "$out/$name.tar.gz" -C "$work"
log="$out/$name-check.log"
if ! (cd "$work/$name" && cmake --workflow --preset dev) >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "$name.tar.gz does not build and pass its tests in its own folder ($log)"
  exit 1
fi
echo "$name.tar.gz builds and passes its tests in its own folder:" \
  "$(grep -E '^[0-9]+% tests passed' "$log")"
