#!/usr/bin/env bash
# The test command: installs what is missing, builds both targets and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
start=$(date +%s)
"$root/tools/setup.sh"
"$root/tools/build.sh"
source "$root/tools/wine-env.sh"
qn_wine_start "$root/build/x86_64/wineprefix"
status=0
ctest --test-dir "$root/build/x86_64" --output-on-failure "$@" || status=$?
qn_wine_stop
echo "Full run: $(( $(date +%s) - start )) s"
exit $status
