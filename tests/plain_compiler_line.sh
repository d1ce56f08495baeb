#!/bin/sh
# SPDX-License-Identifier: MIT
# The source tree with a plain compiler line, as docs/install.md gives it:
# -Iinclude finds every public header; -Isrc and src/*.cpp build the library
# into the program. Usage: plain_compiler_line.sh CXX WORK-DIR XELOPTS_VERSION
set -eu
cxx=$1 work=$2 number=$3
cd "$(dirname "$0")/.."
mkdir -p "$work"
printf '%s\n' '#include <xelopts/XeloptsVersion.h>' '#include <cstdio>' \
  'int main() { std::printf("%d\n", XELOPTS_VERSION); }' >"$work/app.cpp"
"$cxx" -std=c++17 -Iinclude -o "$work/version" "$work/app.cpp"
[ "$("$work/version")" = "$number" ]
"$cxx" -std=c++17 -Iinclude -Isrc -o "$work/backup" examples/subproject/main.cpp src/*.cpp
[ "$("$work/backup" -j 812 -cn client01)" = "job 812, client client01" ]
