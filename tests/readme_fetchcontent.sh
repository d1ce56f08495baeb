#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's FetchContent snippet as pasted but for its address, which is
# a clone of this repository here (what is committed). Where the clone lacks
# the tag that the snippet pins, it gets one at its HEAD, so that this
# passes in any clone, tagged or not.
# Usage: readme_fetchcontent.sh WORK-DIR [CMAKE-ARGUMENT...]
set -eu
work=$1
shift
cd "$(dirname "$0")/.."
tag=$(grep -m 1 -o 'GIT_TAG [^ )]*' README.md | cut -d' ' -f2)
rm -rf "$work"
git clone -q . "$work/clone"
git -C "$work/clone" rev-parse -q --verify "refs/tags/$tag" >/dev/null ||
  git -C "$work/clone" tag "$tag"
cmake -S examples/fetchcontent -B "$work/build" "$@" \
  -DXELOPTS_GIT_REPOSITORY="$work/clone" >/dev/null
cmake --build "$work/build" >/dev/null
[ "$("$work/build/app" -j 812 -cn client01)" = "job 812, client client01" ]
