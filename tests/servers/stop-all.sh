#!/usr/bin/env bash
# Stops whatever start-all.sh started. Usage: stop-all.sh STATE_DIR
here=$(cd "$(dirname "$0")" && pwd)
for name in recorder tls service; do "$here/stop.sh" "$name" "$1"; done
exit 0
