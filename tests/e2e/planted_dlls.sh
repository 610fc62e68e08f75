#!/usr/bin/env bash
# DLLs named winmm.dll, comctl32.dll and msacm32.dll planted beside the program, as a downloads
# folder may hold them, with Wine told to search the program's folder first as Windows does: the
# five-minute chime is still heard, 设定 still opens, and none of the planted DLLs is loaded.
# Usage: planted_dlls.sh EXE PROBE STAND-IN-FOLDER
source "$(dirname "$0")/lib.sh"
cp "$EXE" "$WORK/zelvik-timer.exe"
TIMER_EXE=$WORK/zelvik-timer.exe
cp "$3"/winmm.dll "$3"/comctl32.dll "$3"/msacm32.dll "$WORK/"
mkdir -p "$WORK/home"
cat > "$WORK/home/.asoundrc" <<ALSA
pcm.!default { type file; slave.pcm "null"; file "$WORK/played.wav"; format "wav" }
ALSA
export HOME=$WORK/home
# A crash ends the program at once instead of holding it in the debugger.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm,comctl32,msacm32=n,b;winedbg.exe=d"

# fail_if_loaded WHEN: no planted DLL has left its marker.
fail_if_loaded() {
    local markers
    shopt -s nullglob
    markers=("$WORK"/*.loaded)
    shopt -u nullglob
    [ ${#markers[@]} = 0 ] || fail "planted DLLs were loaded $1: ${markers[*]##*/}"
}

start_timer_at 10:04:59
fail_if_loaded "at start-up"
sleep 2.5  # the mark at 10:05:00 and its chime of about 1 s
click_client 137 15  # 倒计时
click_client 217 15  # 设定
if ! wait_for "^dialog .*caption=倒计时设定$"; then
    fail_if_loaded "when 设定 was clicked"
    fail "设定 did not open the settings dialog"
fi
xdotool key Escape
wait_for "^control id=10006 " || fail "the timer stopped answering"
"$WINE" "$PROBE" close >/dev/null 2>&1
sleep 1

fail_if_loaded "by the chime or the settings dialog"
[ -s "$WORK/played.wav" ] || fail "no chime was heard"
rate=$(soxi -r "$WORK/played.wav")
frames=$(( ($(stat -c %s "$WORK/played.wav") - 44) / 4 ))
echo "no planted DLL loaded; last sound played: $rate Hz, $frames frames"
[ "$rate" = 44100 ] && [ "$frames" -ge 44000 ] && [ "$frames" -le 47000 ] ||
    fail "the last sound is not the whole five-minute chime"
echo "1 passed, 0 failed"
