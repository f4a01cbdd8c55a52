#!/usr/bin/env bash
# Builds Tarnwick, starts the reference lookup service with its demo
# catalogue on 127.0.0.1, and starts Tarnwick under Wine pointed at it: on
# your display when there is one, otherwise on a virtual display, where it
# walks through the program and saves screenshots in build/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target Tarnwick screenshot_walk

state="$root/build/demo"
mkdir -p "$state/prefix" "$root/build/screenshots"
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exe="$root/build/win64/bin/Tarnwick.exe"

# The lookup service, and the program's settings pointing at it.
servers="$root/tests/servers"
"$servers/stop.sh" service "$state"
/usr/bin/python3 "$root/service/lookup_service.py" demo --db "$state/catalogue.db" --files "$state/files" >/dev/null
"$servers/start.sh" service "$state" /usr/bin/python3 "$root/service/lookup_service.py" serve \
  --db "$state/catalogue.db" --files "$state/files"
port=$(cat "$state/service.port")
configure() {
  local data="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Tarnwick"
  mkdir -p "$data"
  printf '[Service]\r\nLookupURL=http://127.0.0.1:%s/index.php\r\nConnectivityURL=http://127.0.0.1:%s/\r\n' \
    "$port" "$port" >"$data/setup.ini"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  [ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i >"$state/wineboot.log" 2>&1
  configure
  trap '"$servers/stop.sh" service "$state"' EXIT
  echo "Starting Tarnwick on $DISPLAY (lookup service on port $port)"
  cd "$(dirname "$exe")"
  /usr/lib/wine/wine64 "$exe"
  exit 0
fi

# No display: a virtual one, and pictures of what a user would see.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$state/display" </dev/null >"$state/xvfb.log" 2>&1 &
xvfb=$!
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; "$servers/stop.sh" service "$state"' EXIT
for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$state/display")"
[ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i </dev/null >"$state/wineboot.log" 2>&1
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
configure

shots="$root/build/screenshots"
(cd "$(dirname "$exe")" && /usr/lib/wine/wine64 "$exe" </dev/null >"$state/tarnwick.log" 2>&1 &)
# The splash shows while the inventory is taken; the main window follows.
for _ in $(seq 150); do
  sleep 0.2
  if xwininfo -root -tree 2>/dev/null | grep -q '"Tarnwick"'; then break; fi
done
sleep 0.7
import -window root "$shots/splash.png"
# Closing the window only hides it in the tray; one Tarnwick at a time, and
# the walk starts its own.
/usr/lib/wine/wine64 taskkill /f /im Tarnwick.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do
  pgrep -f 'Tarnwick\.exe' >/dev/null || break
  sleep 0.1
done
# Then every page, clicked through as a user would: scan, the list of
# out-of-date drivers, settings, about.
/usr/lib/wine/wine64 "$(dirname "$exe")/screenshot_walk.exe" "Z:${shots//\//\\}" </dev/null >"$state/walk.log" 2>&1 ||
  echo "The walk through the pages did not end cleanly: see $state/walk.log"
for picture in "$shots"/*.bmp; do
  [ -e "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
done
echo "No display found: screenshots saved in $shots"
ls -1 "$shots"
