#!/usr/bin/env bash
# Download benchmarks under Wine against the local test server, with curl
# fetching the same 1 GiB natively as a reference.
# Usage: bench/download.sh   (after building the win64 preset)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
state="$root/build/bench-download"
mkdir -p "$state/files"
"$root/tests/servers/start-all.sh" "$state" >/dev/null
"$root/tests/wine/setup.sh" "$state/wine" >/dev/null
trap '"$root/tests/servers/stop-all.sh" "$state"; "$root/tests/wine/cleanup.sh" "$state/wine"; rm -rf "$state/files"' EXIT
port=$(cat "$state/recorder.port")
start=$(date +%s.%N)
curl -s -o "$state/files/curl.bin" "http://127.0.0.1:$port/file/1073741824"
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "1 GiB by curl (native)  %7.2f s  %7.1f MB/s\n", e - s, 1073.741824 / (e - s) }'
rm -f "$state/files/curl.bin"
"$root/tests/wine/run.sh" "$state/wine" "$root/build/win64/bin/wine_download_bench.exe" \
  "Z:${state//\//\\}" "Z:${state//\//\\}\\files"
