#!/usr/bin/env bash
# Ends the test run's wineserver (and every Wine process with it) and its display.
state=$1
if [ -f "$state/env" ]; then
  . "$state/env"
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
fi
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid"
fi
exit 0
