#!/usr/bin/env bash
# The benchmark command: builds both targets and the benchmark, measures the x86_64 program under
# Wine against its baselines, prints one table and writes it to bench/results.md.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
cmake --build "$root/build/x86_64" --target qn_bench -- -j"$(nproc)"
source "$root/tools/wine-env.sh"
qn_wine_start "$root/build/x86_64/wineprefix"
# Version reads and loads of these names go to the files, not to Wine's built-in DLLs.
export WINEDLLOVERRIDES="mscoree,mshtml=;msado15,oledb32,msdasql,msdaps,vbscript,msxml,msjet40=n"
export LC_ALL=en_US.UTF-8
out=$(mktemp)
status=0
"$QN_WINE" "$root/build/x86_64/bench/qn_bench.exe" </dev/null >"$out" 2>&1 || status=$?
qn_wine_stop
if [ $status -ne 0 ]; then cat "$out"; rm -f "$out"; exit $status; fi

size_row() {  # <label> <file> <goal bytes or empty>
  local bytes; bytes=$(stat -c %s "$2")
  local goal="—"
  if [ -n "$3" ]; then
    goal="≤ $(( $3 / 1024 )) KB"
  fi
  printf '| %s | %d KB (%d bytes) | — | — | %s | — |\n' "$1" $(( (bytes + 1023) / 1024 )) "$bytes" "$goal"
}
machine="Debian $(cat /etc/debian_version), $(nproc) cores, $(/usr/lib/wine/wine64 --version)"
{
  echo "Measured $(date -u +%Y-%m-%d) on $machine; x86_64 build under Wine, medians."
  echo
  tr -d '\r' <"$out"
  size_row "QNRepair.exe i686 (release, stripped)" "$root/build/i686/QNRepair.exe" 307200
  size_row "QNRepair.exe x86_64 (release, stripped)" "$root/build/x86_64/QNRepair.exe" ""
} | tee "$root/bench/results.md"
rm -f "$out"
