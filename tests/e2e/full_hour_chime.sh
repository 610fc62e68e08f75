#!/usr/bin/env bash
# Started a moment before a full hour, the clock turns yellow and plays the full-hour chime, as
# heard through ALSA's file plugin.
source "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/home"
cat > "$WORK/home/.asoundrc" <<ALSA
pcm.!default { type file; slave.pcm "null"; file "$WORK/played.wav"; format "wav" }
ALSA
export HOME=$WORK/home
start_timer_at 10:59:57
read -r x y w h <<<"$(readout_band)"
sleep 3.5  # past 11:00:00
screenshot hour
yellow=$(pixels count "$WORK/hour.png" "$x" "$y" "$w" "$h" FFFF64)
sleep 3.5  # the chime lasts about 3.1 s
"$WINE" "$PROBE" close >/dev/null 2>&1
sleep 1
[ -s "$WORK/played.wav" ] || fail "nothing was played"
rate=$(soxi -r "$WORK/played.wav")
frames=$(( ($(stat -c %s "$WORK/played.wav") - 44) / 4 ))
echo "readout band: $yellow yellow pixels; last sound played: $rate Hz, $frames frames"
[ "$yellow" -gt 200 ] || fail "the readout did not turn yellow at the full hour"
[ "$rate" = 44100 ] || fail "the last sound is not the full-hour chime (rate $rate)"
[ "$frames" -ge 134000 ] && [ "$frames" -le 140000 ] || fail "not the whole full-hour chime"
echo "1 passed, 0 failed"
