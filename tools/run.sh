#!/usr/bin/env bash
# Builds the timer and starts it under Wine: the 32-bit release build where this machine runs
# 32-bit code, the 64-bit build otherwise. On your display if there is one, otherwise on a virtual
# display, where it saves a screenshot of the running timer and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/arch.sh"
zelvik_detect_32bit
"$root/tools/install-deps.sh" run
zelvik_require_32bit_wine
"$root/tools/build.sh" run
echo "32-bit release executable: $root/build/win32/zelvik-timer.exe"

source "$root/tools/wine-env.sh"
zelvik_pick_tested_build
loader=$ZELVIK_LOADER timer=$ZELVIK_BUILD/zelvik-timer.exe
if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
    echo "starting the 32-bit release build under 32-bit Wine"
else
    echo "$(zelvik_why_64bit): starting the 64-bit build under 64-bit Wine"
fi
zelvik_ensure_prefix
if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
    exec "$loader" "$timer"
fi

unset DISPLAY
zelvik_ensure_display
xvfb=$ZELVIK_STARTED_XVFB
"$loader" "$timer" >/dev/null 2>&1 &
timer_pid=$!
sleep 4
shot="$root/build/screenshot.png"
import -window root -crop 400x160+0+0 +repage "$shot"
echo "The timer is running on the virtual display $DISPLAY; screenshot: $shot"
kill "$timer_pid" 2>/dev/null || true
zelvik_stop_server
[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
