#!/usr/bin/env bash
# Times qz_scan_hardware against a bare loop of the same platform calls under
# Wine, on a prefix seeded with N devices (default 1000).
# Usage: bench/wine_scan.sh [N] [ROUNDS]   (after building the win64 preset)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
count=${1:-1000}
rounds=${2:-15}
state="$root/build/bench-wine"
"$root/tests/wine/setup.sh" "$state" >/dev/null
trap '"$root/tests/wine/cleanup.sh" "$state"' EXIT
/usr/bin/python3 "$root/bench/wine_devices_reg.py" "$count" "$state/bench.reg"
. "$state/env"
/usr/lib/wine/wine64 regedit /S "$state/bench.reg" </dev/null >/dev/null 2>&1
"$root/tests/wine/run.sh" "$state" "$root/build/win64/bin/wine_scan_bench.exe" "$rounds"
