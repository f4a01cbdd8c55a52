#!/usr/bin/env bash
# Runs one Windows program in the test run's Wine. Its output goes through a
# file: Wine's helper processes inherit open pipes and would hold them open.
set -uo pipefail
state=$1
shift
. "$state/env"
exe=$(realpath "$1")
shift
cd "$(dirname "$exe")"
out=$(mktemp "$state/run.XXXXXX")
/usr/lib/wine/wine64 "$exe" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
