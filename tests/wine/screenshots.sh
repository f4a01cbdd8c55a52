#!/usr/bin/env bash
# Pictures of every page of Tarnwick.exe and of its scan prompt at 96 and
# 144 dpi, taken out of process against the running test servers: each
# density gets its own prefix and display, the walker clicks through.
# Usage: screenshots.sh STATE_DIR OUTPUT_DIR BIN_DIR SERVERS_DIR
set -euo pipefail
state=$1 out=$2 bin=$3 servers=$4
here=$(cd "$(dirname "$0")" && pwd)
port=$(cat "$servers/service.port")
stall_port=$(cat "$servers/recorder.port")
status=0
for dpi in 96 144; do
  prefix_state="$state/$dpi"
  SCREEN=1920x1200 "$here/setup.sh" "$prefix_state" >/dev/null
  . "$prefix_state/env"
  /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # The density is read when Wine starts: start it again.
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  # Wine sets its display adapter up again when it starts, and with it that
  # device's driver key: seed the devices again over it.
  /usr/lib/wine/wine64 regedit /S "$prefix_state/devices.reg" </dev/null >/dev/null 2>&1
  data="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Tarnwick"
  mkdir -p "$data" "$out/$dpi"
  printf '[Service]\r\nLookupURL=http://127.0.0.1:%s/index.php\r\nConnectivityURL=http://127.0.0.1:%s/\r\n' \
    "$port" "$port" >"$data/setup.ini"
  rm -f "$out/$dpi"/*.bmp "$out/$dpi"/*.png
  if ! "$here/run.sh" "$prefix_state" "$bin/screenshot_walk.exe" "Z:${out//\//\\}\\$dpi"; then
    echo "the walk at $dpi dpi failed"
    status=1
  fi
  # A lookup that never answers keeps the scan prompt coming.
  printf '[Service]\r\nLookupURL=http://127.0.0.1:%s/stall-head\r\nConnectivityURL=http://127.0.0.1:%s/\r\n' \
    "$stall_port" "$port" >"$data/setup.ini"
  if ! "$here/run.sh" "$prefix_state" "$bin/screenshot_walk.exe" "Z:${out//\//\\}\\$dpi" prompt; then
    echo "the walk to the scan prompt at $dpi dpi failed"
    status=1
  fi
  for picture in "$out/$dpi"/*.bmp; do
    [ -e "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
  done
  "$here/cleanup.sh" "$prefix_state"
done
ls -1 "$out"/*/*.png
exit $status
