#!/usr/bin/env bash
# The keyboard as a user uses it: Tab walks the controls of the clock row and wraps around
# (Shift+Tab too goes forward), Space presses the focused radio button and then 开始, and Alt+F4
# on a running stopwatch asks before closing; Esc answers no.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
focus() { refresh; echo "$PROBE_OUT" | sed -n 's/^state .*focus_id=\([-0-9]*\).*/\1/p'; }
click_client 300 100  # the background: the window takes the keyboard, the focus stays put
walk=""
for key in Tab Tab Tab Tab Tab Tab shift+Tab; do
    xdotool key "$key"
    sleep 0.2
    walk="$walk $(focus)"
done
echo "focus after Tab x6, Shift+Tab:$walk"
[ "$walk" = " 10011 10007 10008 10005 10004 10011 10007" ] || fail "Tab took another way"

xdotool key space  # on 秒表: the radio button's own key
sleep 0.4
refresh
[ "$(control_field 10007 check)" = 1 ] || fail "Space did not press the focused radio button"
[ "$(focus)" = 10001 ] || fail "the focus is not on 开始 after the mode switch"
xdotool key space
sleep 0.4
refresh
[ "$(control_field 10001 text)" = 暂停 ] || fail "Space on 开始 did not start the stopwatch"

xdotool key alt+F4
wait_for "^dialog .*caption=退出$" || fail "Alt+F4 on a running stopwatch did not ask"
xdotool key Escape
sleep 0.5
refresh
echo "$PROBE_OUT" | grep -q "^dialog " && fail "Esc did not answer the question"
timer_alive || fail "Esc ended the program"
[ "$(control_field 10001 text)" = 暂停 ] || fail "the stopwatch stopped"
echo "1 passed, 0 failed"
