#!/usr/bin/env bash
# Builds Tarnwick and starts it under Wine: on your display when there is
# one, otherwise on a virtual display, where it walks through the program
# and saves screenshots in build/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target Tarnwick

state="$root/build/demo"
mkdir -p "$state/prefix" "$root/build/screenshots"
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exe="$root/build/win64/bin/Tarnwick.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  [ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i >"$state/wineboot.log" 2>&1
  echo "Starting Tarnwick on $DISPLAY"
  cd "$(dirname "$exe")"
  exec /usr/lib/wine/wine64 "$exe"
fi

# No display: a virtual one, and pictures of what a user would see.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$state/display" </dev/null >"$state/xvfb.log" 2>&1 &
xvfb=$!
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$state/display")"
[ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i </dev/null >"$state/wineboot.log" 2>&1
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1

shots="$root/build/screenshots"
(cd "$(dirname "$exe")" && /usr/lib/wine/wine64 "$exe" </dev/null >"$state/tarnwick.log" 2>&1 &)
# The splash shows while the inventory is taken; the main window follows.
for _ in $(seq 150); do
  sleep 0.2
  if xwininfo -root -tree 2>/dev/null | grep -q '"Tarnwick"'; then break; fi
done
sleep 0.7
import -window root "$shots/splash.png"
sleep 4.5
import -window root "$shots/main-window.png"
/usr/lib/wine/wine64 taskkill /im Tarnwick.exe >/dev/null 2>&1 || true
echo "No display found: screenshots saved in $shots"
ls -1 "$shots"
