#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints what is present of one set of Debian packages, with versions, and
# installs with apt-get what is missing; each set holds the one before it:
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
# apt-get, and its update, run only when something is missing. A CMake
# older than CMakePresets.json needs stops the script with status 1, as
# does a missing package where there is no apt-get.
# Usage: scripts/install-deps.sh [build|test|all]
set -euo pipefail
cd "$(dirname "$0")/.."
build_commands=("${CXX:-c++}:g++" cmake:cmake ninja:ninja-build)
test_packages=(libgtest-dev groff-base)
all_packages=(
  g++ clang clang-tidy clang-format libclang-rt-dev googletest
  libbenchmark-dev valgrind pkg-config dpkg-dev file python3 abigail-tools
  man-db lintian
  libcli11-dev libcxxopts-dev libboost-program-options-dev
)
set_name=${1:-all}
case $set_name in
  build) packages=() ;;
  test) packages=("${test_packages[@]}") ;;
  all) packages=("${test_packages[@]}" "${all_packages[@]}") ;;
  *)
    echo "usage: scripts/install-deps.sh [build|test|all]" >&2
    exit 2
    ;;
esac

# The cmakeMinimumRequired of CMakePresets.json, as MAJOR.MINOR.PATCH.
minimum_cmake=$(tr -d ' \n' <CMakePresets.json |
  grep -o '"cmakeMinimumRequired":{[^}]*}' | grep -o '[0-9]\+' | paste -sd.)

command_version() {
  case $1 in
    cmake) cmake --version | sed -n '1s/^cmake version //p' ;;
    ninja) ninja --version ;;
    *) "$1" --version | head -n 1 ;;
  esac
}
# Empty when the package is not installed.
package_version() {
  { dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null || true; } |
    sed -n 's/^install ok installed //p'
}
show() { printf '  %-30s %s\n' "$1" "$2"; }

cmake_new_enough() {
  local found
  found=$(command_version cmake)
  if [ "$(printf '%s\n' "$minimum_cmake" "$found" | sort -V | head -n 1)" \
    != "$minimum_cmake" ]; then
    echo "CMake $found ($(command -v cmake)) is too old: the presets" \
      "(CMakePresets.json) need CMake $minimum_cmake or later. Put a newer" \
      "cmake first on the PATH (Debian backports, Kitware's APT repository," \
      "pip install cmake, or a release from cmake.org), then run this again." >&2
    return 1
  fi
}

# Each check prints what it found and adds what is missing to $missing.
missing=()
check_commands() {
  local entry name
  for entry in "${build_commands[@]}"; do
    name=${entry%%:*}
    if command -v "$name" >/dev/null; then
      show "$name" "$(command_version "$name")"
    else
      show "$name" "missing (package ${entry##*:})"
      missing+=("${entry##*:}")
    fi
  done
}
check_packages() {
  local p version
  for p in "${packages[@]}"; do
    version=$(package_version "$p")
    if [ -n "$version" ]; then
      show "$p" "$version"
    else
      show "$p" "missing"
      missing+=("$p")
    fi
  done
}

echo "install-deps.sh $set_name: present, with versions"
check_commands
if command -v cmake >/dev/null; then
  cmake_new_enough || exit 1
fi
if [ ${#packages[@]} -gt 0 ] && ! command -v dpkg-query >/dev/null; then
  echo "No dpkg-query here: this script checks and installs Debian packages." \
    "Install by hand what the packages ${packages[*]} hold," \
    "or their counterparts on this system." >&2
  exit 1
fi
check_packages
if [ ${#missing[@]} -eq 0 ]; then
  echo "Everything of the set $set_name is present: nothing to install."
  exit 0
fi
if ! command -v apt-get >/dev/null; then
  echo "Missing: ${missing[*]} (Debian's names). This script installs with" \
    "apt-get, which is not here: install them by hand." >&2
  exit 1
fi
# g++ is both the compiler's package and one of the set's.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++')
echo "Installing with apt-get: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
$sudo_cmd apt-get update
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"

echo "install-deps.sh $set_name: installed"
for p in "${missing[@]}"; do
  show "$p" "$(package_version "$p")"
done
cmake_new_enough
