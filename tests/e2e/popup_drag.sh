#!/usr/bin/env bash
# The mouse on the window: a right-click on the readout or the caption opens the popup menu with
# its corner at the cursor (never the system menu); 最上 from the menu and from the check box
# agree with the window's band; a drag on the background moves the window.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
IFS=, read -r left top right bottom <<<"$(window_field rect)"
origin=$(window_field client_origin)

# Right-click on the readout and on the caption: the same menu, at the cursor.
for point in "$(client_point 150 50)" "$(( left + 150 )) $(( (top + ${origin#*,}) / 2 ))"; do
    read -r px py <<<"$point"
    click_at "$px" "$py" 3
    wait_for "^popup " || fail "no popup menu after a right-click at $px,$py"
    menu=$(echo "$PROBE_OUT" | sed -n 's/^popup rect=//p')
    IFS=, read -r ml mt mr mb <<<"$menu"
    echo "right-click at $px,$py: menu at $menu"
    [ "$ml" = "$px" ] && [ "$mt" = "$py" ] || fail "the menu is not at the cursor"
    size=$(( mr - ml ))x$(( mb - mt ))
    [ -z "${menu_size:-}" ] || [ "$menu_size" = "$size" ] || fail "a different menu ($size)"
    menu_size=$size
    screenshot "menu$px"
    inside=$(pixels count "$WORK/menu$px.png" "$ml" "$mt" "$(( mr - ml ))" "$(( mb - mt ))" FFFFFF)
    [ "$inside" -gt 2000 ] || fail "no menu drawn at the cursor"
    xdotool key Escape
    sleep 0.4
    refresh
    echo "$PROBE_OUT" | grep -q "^popup " && fail "Esc did not close the menu"
done
# Eleven entries and four separators: far taller than wide, unlike the system menu's seven.
[ $(( ${menu_size#*x} )) -gt 240 ] || fail "not the timer's menu ($menu_size)"

# 最上 from the menu (the eighth entry from the bottom edge: 联系作者, 使用指南, 退出, 精简模式,
# 最上), then from the check box.
read -r px py <<<"$(client_point 150 50)"
click_at "$px" "$py" 3
wait_for "^popup " || fail "no popup menu"
xdotool key Up Up Up Up Up Return
sleep 0.5
refresh
exstyle=$(window_field exstyle)
echo "after 最上 from the menu: exstyle $exstyle, check box $(control_field 10004 check)"
(( exstyle & 0x8 )) && fail "still topmost after 最上 from the menu"
[ "$(control_field 10004 check)" = 0 ] || fail "the check box did not follow the menu"
click_client 350 15  # 最上
refresh
exstyle=$(window_field exstyle)
(( exstyle & 0x8 )) || fail "not topmost again after the check box"
[ "$(control_field 10004 check)" = 1 ] || fail "the check box is not checked"

# Drag by the background beside the buttons.
read -r sx sy <<<"$(client_point 300 100)"
xdotool mousemove "$sx" "$sy"
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $(( sx + step * 20 )) $(( sy + step * 15 ))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
refresh
IFS=, read -r nl nt _ _ <<<"$(window_field rect)"
echo "dragged by (200,150): window from $left,$top to $nl,$nt"
[ "$(( nl - left ))" = 200 ] && [ "$(( nt - top ))" = 150 ] || fail "the drag did not move the window"

# A drag that starts on an enabled control (the checked 时钟 radio button) does not move the
# window. (A disabled control passes the mouse on to the window, like the background.)
read -r sx sy <<<"$(client_point 26 15)"
xdotool mousemove "$sx" "$sy"
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $(( sx + step * 12 )) $(( sy + step * 8 ))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
refresh
IFS=, read -r bl bt _ _ <<<"$(window_field rect)"
[ "$bl,$bt" = "$nl,$nt" ] || fail "a drag on a button moved the window"

# Alt+/ and Alt+? (the accelerator's command) show nothing and change nothing.
before=$(echo "$PROBE_OUT" | grep -v '^state ')
xdotool key alt+slash alt+question
sleep 0.5
refresh
echo "$PROBE_OUT" | grep -q -e "^dialog " -e "^popup " && fail "Alt+/ opened something"
[ "$(echo "$PROBE_OUT" | grep -v '^state ')" = "$before" ] || fail "Alt+/ changed the window"
echo "1 passed, 0 failed"
