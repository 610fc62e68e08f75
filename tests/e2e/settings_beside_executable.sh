#!/usr/bin/env bash
# The settings file is the one beside the executable, also in a folder whose name is outside the
# ANSI code page, whatever folder the program is started from.
source "$(dirname "$0")/lib.sh"
folder="$WORK/计时器 한글"
mkdir -p "$folder" "$WORK/elsewhere"
cp "$EXE" "$folder/zelvik-timer.exe"
printf '[CFG]\r\ntimeout_continue=1\r\ncountdown_fix_second=3725\r\ncountdown_to_time=70200\r\n' \
    > "$folder/cfg.ini"
printf '[CFG]\r\ncountdown_fix_second=60\r\n' > "$WORK/elsewhere/cfg.ini"
TIMER_EXE="$folder/zelvik-timer.exe" START_DIR="$WORK/elsewhere" start_timer
echo "$PROBE_OUT" | grep 'id=10006'
echo "$PROBE_OUT" | grep -q "id=10006 .*text=共01:02:05$" \
    || fail "the fixed length beside the executable was not loaded"
echo "1 passed, 0 failed"
