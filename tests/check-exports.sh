#!/usr/bin/env bash
# Reads a DLL's export table and insists on exactly the six qz_ functions,
# with undecorated names (no leading underscore, no @N suffix).
set -euo pipefail
objdump=$1
dll=$2
expected="qz_get_error_code
qz_get_hardware_detail
qz_get_hardware_details
qz_initialize
qz_scan_hardware
qz_uninitialize"
actual=$("$objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' | sort)
if [ "$actual" != "$expected" ]; then
  echo "unexpected export table of $dll:"
  echo "$actual"
  exit 1
fi
echo "$dll exports exactly:"
echo "$actual"
