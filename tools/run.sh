#!/usr/bin/env bash
# Builds the timer and starts it under 64-bit Wine: on your display if there is one, otherwise on
# a virtual display, where it saves a screenshot of the running timer and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" run
"$root/tools/build.sh" run
echo "32-bit release executable: $root/build/win32/zelvik-timer.exe"

source "$root/tools/wine-env.sh"
zelvik_ensure_prefix
if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
    exec "$WINE64" "$root/build/win64/zelvik-timer.exe"
fi

unset DISPLAY
zelvik_ensure_display
xvfb=$(pgrep -f "Xvfb $DISPLAY" | head -n 1 || true)
"$WINE64" "$root/build/win64/zelvik-timer.exe" >/dev/null 2>&1 &
timer=$!
sleep 4
shot="$root/build/screenshot.png"
import -window root -crop 400x160+0+0 +repage "$shot"
echo "The timer is running on the virtual display $DISPLAY; screenshot: $shot"
kill "$timer" 2>/dev/null || true
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
