#!/usr/bin/env bash
# Prepares one test run's Wine: a virtual X display (SCREEN, default
# 1280x1024), a fresh prefix inside the build tree and a persistent
# wineserver, so each Wine process starts fast.
# Everything started here writes to files, never to the caller's pipes.
set -euo pipefail
state=$1
here=$(cd "$(dirname "$0")" && pwd)
"$here/cleanup.sh" "$state" || true
mkdir -p "$state"
rm -rf "$state/prefix" "$state/display"
mkdir -p "$state/prefix"

Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024}x24" -nolisten tcp 3>"$state/display" </dev/null >"$state/xvfb.log" 2>&1 &
echo $! >"$state/xvfb.pid"
for _ in $(seq 100); do
  [ -s "$state/display" ] && break
  sleep 0.1
done
[ -s "$state/display" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }

cat >"$state/env" <<ENV
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=":$(head -n1 "$state/display")"
ENV
. "$state/env"
/usr/lib/wine/wineserver -p </dev/null >"$state/wineserver.log" 2>&1
/usr/lib/wine/wine64 wineboot -i </dev/null >"$state/wineboot.log" 2>&1
# Devices and driver keys that every Windows test can rely on.
/usr/bin/python3 "$here/devices_reg.py" "$state/devices.reg"
/usr/lib/wine/wine64 regedit /S "$state/devices.reg" </dev/null >>"$state/wineboot.log" 2>&1
echo "Wine prefix ready in $WINEPREFIX on display $DISPLAY"
