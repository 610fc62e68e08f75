#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests and asset checks, then the
# Windows-side and end-to-end tests under 64-bit Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" test
"$root/tools/build.sh" test

# One virtual display for the whole run, ended with it.
source "$root/tools/wine-env.sh"
unset DISPLAY
zelvik_ensure_display
xvfb_pid=$(pgrep -f "Xvfb $DISPLAY" | head -n 1 || true)
cleanup() {
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
zelvik_ensure_prefix
zelvik_start_server

status=0
ctest --test-dir "$root/build/host" --output-on-failure || status=1
ctest --test-dir "$root/build/win64" --output-on-failure || status=1
exit $status
