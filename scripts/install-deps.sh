#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build, the tests and CI need; skips apt
# when every one of them is already there. The three option libraries on the
# last line are benchmark peers only: bench/ builds against them when they
# are present, and the library itself never uses them.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang clang-tidy clang-format
  libclang-rt-dev googletest libgtest-dev libbenchmark-dev
  valgrind pkg-config dpkg-dev file python3 abigail-tools groff-base man-db lintian
  libcli11-dev libcxxopts-dev libboost-program-options-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
