#!/usr/bin/env bash
# The test command: installs what is missing, builds the three trees and runs every test under
# Wine: the 64-bit build under 64-bit Wine, then the 32-bit build (with the shipped program)
# under the emulated 32-bit Wine. Arguments go to both ctest runs (default: -j<cores>).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
start=$(date +%s)
"$root/tools/setup.sh"
"$root/tools/build.sh"
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

run_tests() {  # <tree> <win64|win32> [ctest arguments]
  local tree=$1 kind=$2 status=0
  shift 2
  (
    source "$root/tools/wine-env.sh"
    qn_wine_start "$root/build/$tree/wineprefix" "$kind"
    ctest --test-dir "$root/build/$tree" --output-on-failure "$@" || status=$?
    qn_wine_stop
    exit $status
  )
}

status=0
run_tests x86_64 win64 "$@" || status=$?
i686_start=$(date +%s)
run_tests i686-test win32 "$@" || status=$?
now=$(date +%s)
echo "32-bit tests (emulated 32-bit Wine, prefix included): $(( now - i686_start )) s"
echo "Full run: $(( now - start )) s"
exit $status
