#!/usr/bin/env bash
# Builds all three targets from scratch and runs every test: the portable
# logic natively (with address, undefined-behaviour and thread sanitizers,
# and libFuzzer for a bounded time), the reference lookup service's tests,
# the Windows build under Wine and Xvfb, and the 32-bit build's exports.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

step() { printf '\n==== %s\n' "$*"; }

step "native build and tests (address and undefined-behaviour sanitizers)"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

step "native threads and downloads under ThreadSanitizer"
cmake --preset linux-tsan >/dev/null
cmake --build --preset linux-tsan -j "$jobs" --target native_tests native_net_tests
ctest --preset linux-tsan -j "$jobs" -R 'Thread|ActivityCounter|DownloadRecord|native_net'

step "fuzzing the reply parser and the envelope (bounded time each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz -j "$jobs"

step "64-bit Windows build, tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
ctest --preset win64

step "32-bit Windows build (build only, export table checked)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
ctest --preset win32

step "all tests passed"
