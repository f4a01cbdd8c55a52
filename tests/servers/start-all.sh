#!/usr/bin/env bash
# Starts the servers the network tests use, on free ports of 127.0.0.1:
# "recorder" (http), "tls" (https with a self-signed certificate) and, with
# --service, the reference lookup service over its demo catalogue.
# Usage: start-all.sh STATE_DIR [--service]
set -euo pipefail
state=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
"$here/stop-all.sh" "$state"
"$here/start.sh" recorder "$state" /usr/bin/python3 "$here/test_http_server.py"
"$here/start.sh" tls "$state" /usr/bin/python3 "$here/test_http_server.py" --tls
if [ "${2:-}" = "--service" ]; then
  rm -rf "$state/demo"
  /usr/bin/python3 "$root/service/lookup_service.py" demo --db "$state/demo/catalogue.db" --files "$state/demo/files" >/dev/null
  "$here/start.sh" service "$state" /usr/bin/python3 "$root/service/lookup_service.py" serve \
    --db "$state/demo/catalogue.db" --files "$state/demo/files"
fi
