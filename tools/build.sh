#!/usr/bin/env bash
# Configures and builds both targets: build/i686 (the shipped program) and build/x86_64 (tests).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
for arch in i686 x86_64; do
  if [ ! -f "$root/build/$arch/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build/$arch" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$root/build/$arch" -- -j"$(nproc)"
done
