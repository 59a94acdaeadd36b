#!/usr/bin/env bash
# Configures and builds the three build trees:
#   build/i686        the program that ships (32-bit, win32 thread model, runs on Windows XP SP3)
#   build/x86_64      the 64-bit program and the tests, run under 64-bit Wine
#   build/i686-test   the 32-bit tests, run under the emulated 32-bit Wine against build/i686's program
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build() {  # <tree> <toolchain> [cmake options...]
  local dir="$root/build/$1" toolchain="$2"
  shift 2
  # A configure that was cut off leaves a cache without build.ninja; start that one afresh.
  if [ ! -f "$dir/build.ninja" ]; then
    rm -f "$dir/CMakeCache.txt"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  fi
  cmake --build "$dir" -- -j"$(nproc)"
}

build i686 i686
build x86_64 x86_64
build i686-test i686-test -DQN_SHIPPED_PROGRAM="$root/build/i686/QNRepair.exe"
