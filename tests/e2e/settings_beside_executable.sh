#!/usr/bin/env bash
# The settings file is the one beside the executable, also in a folder whose name is outside the
# ANSI code page or at the path length limit, whatever folder the program is started from.
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

# Executables at the path length limit (259 characters) and past it (300): the program starts
# and finds its settings all the same.
stop_timer() {
    "$WINE" "$PROBE" close >/dev/null 2>&1 || true
    for _ in $(seq 30); do kill -0 "$TIMER_PID" 2>/dev/null || break; sleep 0.1; done
    kill "$TIMER_PID" 2>/dev/null || true
    TIMER_PID=
}
stop_timer
for length in 259 300; do
    # The Windows path is "Z:" and the Unix path; the executable's name takes 17 characters.
    dir="$WORK/long$length"
    while [ $((2 + ${#dir} + 17)) -lt "$length" ]; do
        room=$((length - 2 - ${#dir} - 17 - 1))
        dir="$dir/$(head -c $((room > 100 ? 100 : room)) /dev/zero | tr '\0' 'd')"
    done
    exe="$dir/zelvik-timer.exe"
    [ $((2 + ${#exe})) -eq "$length" ] || fail "made a path of $((2 + ${#exe})), not $length"
    mkdir -p "$dir"
    cp "$EXE" "$exe"
    printf '[CFG]\r\ncountdown_fix_second=3725\r\n' > "$dir/cfg.ini"
    TIMER_EXE="$exe" START_DIR="$WORK/elsewhere" start_timer
    echo "$PROBE_OUT" | grep -q "id=10006 .*text=共01:02:05$" \
        || fail "the settings beside an executable path of $length characters were not loaded"
    echo "executable path of $length characters: settings loaded"
    stop_timer
done
echo "2 passed, 0 failed"
