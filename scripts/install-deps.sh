#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs with apt-get what is missing of one set of Debian packages, each
# set holding the one before it:
#   build  a C++ compiler, CMake and Ninja: the library and xeljob (the
#          README's main-job command). A command already on the PATH counts,
#          whatever installed it: c++ (or $CXX), cmake, ninja.
#   test   GoogleTest and groff: the dev preset's build and tests (the
#          README's test command).
#   all    the default: everything CI runs (clang and its tools, valgrind,
#          Google Benchmark, the packages' and the ABI check's tools). The
#          three option libraries on its last line are benchmark peers
#          only: bench/ builds against them when they are present, and the
#          library itself never uses them.
# apt-get, and its update, run only when something is missing.
# Usage: scripts/install-deps.sh [build|test|all]
set -euo pipefail
build_commands=("${CXX:-c++}:g++" cmake:cmake ninja:ninja-build)
test_packages=(libgtest-dev groff-base)
all_packages=(
  g++ clang clang-tidy clang-format libclang-rt-dev googletest
  libbenchmark-dev valgrind pkg-config dpkg-dev file python3 abigail-tools
  man-db lintian
  libcli11-dev libcxxopts-dev libboost-program-options-dev
)
case ${1:-all} in
  build) packages=() ;;
  test) packages=("${test_packages[@]}") ;;
  all) packages=("${test_packages[@]}" "${all_packages[@]}") ;;
  *)
    echo "usage: scripts/install-deps.sh [build|test|all]" >&2
    exit 2
    ;;
esac

missing=()
for entry in "${build_commands[@]}"; do
  command -v "${entry%%:*}" >/dev/null || missing+=("${entry##*:}")
done
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
$sudo_cmd apt-get update
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
