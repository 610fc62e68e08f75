#!/usr/bin/env bash
# The real program shows the local time in pale green on dark grey, and the readout moves.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
read -r x y w h <<<"$(readout_band)"
screenshot first
sleep 1.1
screenshot second

green=$(pixels count "$WORK/first.png" "$x" "$y" "$w" "$h" AEDD81)
grey=$(pixels count "$WORK/first.png" "$x" "$y" "$w" "$h" 464646)
changed=$(pixels diff "$WORK/first.png" "$WORK/second.png" "$x" "$y" "$w" "$h")
echo "readout band: $green pale green, $grey dark grey, $changed changed a second later"
[ "$green" -gt 200 ] || fail "no pale green readout text"
[ "$grey" -gt 2000 ] || fail "no dark grey readout cell"
[ "$changed" -gt 20 ] || fail "the clock did not move"
echo "1 passed, 0 failed"
