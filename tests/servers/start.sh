#!/usr/bin/env bash
# Starts a test server in the background, detached from the caller's pipes,
# and waits until it has written its port. Usage: start.sh NAME STATE_DIR COMMAND...
set -euo pipefail
name=$1
state=$2
shift 2
mkdir -p "$state"
rm -f "$state/$name.port"
setsid "$@" --port-file "$state/$name.port" --log "$state/$name.log" </dev/null >"$state/$name.out" 2>&1 &
echo $! >"$state/$name.pid"
for _ in $(seq 100); do
  [ -s "$state/$name.port" ] && { echo "$name listening on port $(cat "$state/$name.port")"; exit 0; }
  sleep 0.1
done
echo "$name did not start:"
cat "$state/$name.out"
exit 1
