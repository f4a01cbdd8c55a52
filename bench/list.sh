#!/usr/bin/env bash
# Times the driver list with 100 and 1,000 rows under Wine on a virtual
# display, and counts the process's handles once the list stands.
# Usage: bench/list.sh [ROUNDS]   (after building the win64 preset)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
state="$root/build/bench-list"
"$root/tests/wine/setup.sh" "$state" >/dev/null
trap '"$root/tests/wine/cleanup.sh" "$state"' EXIT
"$root/tests/wine/run.sh" "$state" "$root/build/win64/bin/wine_list_bench.exe" "${1:-7}"
