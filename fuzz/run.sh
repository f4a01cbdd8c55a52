#!/usr/bin/env bash
# Replays the seeds and kept crash inputs, then fuzzes for a bounded time.
# A new crash input is copied into the regressions folder to be kept.
set -euo pipefail
fuzzer=$1 seeds=$2 regressions=$3 work=$4 seconds=$5
mkdir -p "$work" "$regressions"
inputs=("$seeds"/*)
if compgen -G "$regressions/*" >/dev/null; then inputs+=("$regressions"/*); fi
"$fuzzer" -runs=0 "${inputs[@]}"
cd "$work"
if ! "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$work" "$seeds"; then
  for crash in crash-* timeout-* leak-* oom-*; do
    [ -e "$crash" ] && cp "$crash" "$regressions/" && echo "kept $regressions/$crash"
  done
  exit 1
fi
