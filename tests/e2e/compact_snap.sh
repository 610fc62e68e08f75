#!/usr/bin/env bash
# A double-click on the caption shrinks the real program to the readout strip: the probe reads
# the window's region and the screen shows nothing of the window outside it. The arrow keys then
# put the strip against the screen's right and bottom edges.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
echo "$PROBE_OUT" | grep -q '^region none$' || fail "the window starts clipped"
read -r left top _ <<<"$(window_field rect | tr ',' ' ')"
origin=$(window_field client_origin)
ox=${origin%,*}
oy=${origin#*,}
fx=$((ox - left))
fy=$((oy - top))

# Through the caption: the client background's own double-click needs it to hit-test as caption.
xdotool mousemove $((left + 150)) $(((top + oy) / 2)) click --repeat 2 --delay 80 1
sleep 0.5
PROBE_OUT=$(probe)
region=$(echo "$PROBE_OUT" | sed -n 's/^region box=//p')
echo "frame $fx,$fy; region box after the double-click: ${region:-none}"
[ -n "$region" ] || fail "the double-click did not make the strip"
IFS=, read -r rl rt rr rb <<<"$region"
# Without milliseconds: client x 3 to 254, y 31 to 83 (the box may end a pixel short of the
# region's exclusive right and bottom edges, as Wine makes it).
[ "$rl" -eq $((fx + 3)) ] && [ "$rt" -eq $((fy + 31)) ] || fail "strip starts at $rl,$rt"
((rr == fx + 255 || rr == fx + 254)) && ((rb == fy + 84 || rb == fy + 83)) ||
    fail "strip ends at $rr,$rb"

screenshot compact
cp "$WORK/compact.png" "${ZELVIK_SCREENSHOT_DIR:-$WORK}/e2e-compact.png" 2>/dev/null || true
# The pale grey window fill showed above and below the readout band; now the desktop does.
fill_rows=$(pixels count "$WORK/compact.png" "$ox" "$((oy + 2))" 380 26 F0F0F0)
fill_below=$(pixels count "$WORK/compact.png" "$ox" "$((oy + 88))" 380 30 F0F0F0)
green=$(pixels count "$WORK/compact.png" $((left + rl)) $((top + rt)) $((rr - rl)) $((rb - rt)) AEDD81)
echo "pale grey above: $fill_rows, below: $fill_below; pale green in the strip: $green"
[ "$fill_rows" -eq 0 ] && [ "$fill_below" -eq 0 ] || fail "the window shows outside the strip"
[ "$green" -gt 200 ] || fail "the strip shows no readout"

read -r sx sy <<<"$(xwininfo -root | sed -n 's/^ *-geometry \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
# With no window manager the keyboard follows the pointer: each key goes to the strip under it.
# Waits (up to 5 s on a busy machine) until the window has moved.
press_over_strip() {
    local before
    before=$(window_field rect)
    read -r left top _ <<<"$(echo "$before" | tr ',' ' ')"
    xdotool mousemove $((left + (rl + rr) / 2)) $((top + (rt + rb) / 2)) key "$1"
    for _ in $(seq 25); do
        sleep 0.2
        PROBE_OUT=$(probe)
        if [ "$(window_field rect)" != "$before" ]; then break; fi
    done
}
press_over_strip Right
press_over_strip Down
read -r left top _ <<<"$(window_field rect | tr ',' ' ')"
echo "screen ${sx}x$sy; window at $left,$top after Right and Down"
# The strip's exclusive right and bottom edges lie one pixel beyond the screen.
[ $((left + fx + 255)) -eq $((sx + 1)) ] || fail "Right left the strip's edge at $((left + fx + 255))"
[ $((top + fy + 84)) -eq $((sy + 1)) ] || fail "Down left the strip's edge at $((top + fy + 84))"
xdotool mousemove 0 0
screenshot corner
cp "$WORK/corner.png" "${ZELVIK_SCREENSHOT_DIR:-$WORK}/e2e-corner.png" 2>/dev/null || true
corner=$(pixels count "$WORK/corner.png" $((sx - 60)) $((sy - 53)) 60 53 464646)
echo "dark grey readout cell in the screen's corner: $corner pixels"
[ "$corner" -gt 1000 ] || fail "the strip is not in the corner of the screen"
echo "1 passed, 0 failed"
