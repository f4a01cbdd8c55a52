#!/usr/bin/env bash
# Stops a test server started by start.sh. Usage: stop.sh NAME STATE_DIR
state=$2
[ -f "$state/$1.pid" ] && kill "$(cat "$state/$1.pid")" 2>/dev/null
rm -f "$state/$1.pid"
exit 0
