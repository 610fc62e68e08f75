#!/usr/bin/env bash
# A short countdown from start to end as a user runs it: the countdown radio button, 设定 with a
# length of three seconds typed in, 开始; the readout counts down, turns red at zero, and 重置
# shows the length again.
source "$(dirname "$0")/lib.sh"
# A copy of its own: the settings are written beside the executable.
cp "$EXE" "$WORK/zelvik-timer.exe"
TIMER_EXE=$WORK/zelvik-timer.exe
start_timer_at 10:12:30
sleep 1
read -r x y w h <<<"$(readout_band)"

click_client 137 15  # 倒计时
refresh
[ "$(control_field 10008 check)" = 1 ] || fail "the countdown radio button is not checked"
[ "$(control_field 10006 visible)" = 1 ] || fail "设定 is not shown in countdown mode"
[ "$(control_field 10006 text)" = 共00:05:00 ] || fail "设定 caption: $(control_field 10006 text)"

click_client 217 15  # 设定
wait_for "^dialog .*caption=倒计时设定$" || fail "the settings dialog did not open"
# Hours 0, minutes 0, seconds 3: each field cleared and typed into.
type_into_fields 1003:0 1001:0 1005:3
read -r cx cy <<<"$(dialog_control_centre 1)"
click_at "$cx" "$cy"  # 确认
wait_for "^control id=10006 .*text=共00:00:03$" || fail "设定 does not show the new length"
sleep 0.3
screenshot length
[ "$(pixels count "$WORK/length.png" "$x" "$y" "$w" "$h" AEDD81)" -gt 200 ] || fail "no readout"

click_client 52 101  # 开始
refresh
[ "$(control_field 10001 text)" = 暂停 ] || fail "开始 did not start: $(control_field 10001 text)"
[ "$(control_field 10011 enabled)" = 0 ] || fail "the mode controls stay enabled while running"
sleep 1
screenshot counting
moved=$(pixels diff "$WORK/length.png" "$WORK/counting.png" "$x" "$y" "$w" "$h")
red=$(pixels count "$WORK/counting.png" "$x" "$y" "$w" "$h" EB0000)
echo "one second into the countdown: $moved readout pixels changed, $red red"
[ "$moved" -gt 20 ] || fail "the readout did not count down"
[ "$red" = 0 ] || fail "red before zero"

wait_for "^control id=10001 .*text=开始$" 60 || fail "the countdown did not run out"
sleep 0.3
screenshot zero
red=$(pixels count "$WORK/zero.png" "$x" "$y" "$w" "$h" EB0000)
echo "at zero: $red red readout pixels"
[ "$red" -gt 200 ] || fail "the readout did not turn red at zero"

click_client 154 101  # 重置
sleep 0.3
screenshot reset
refresh
left=$(pixels diff "$WORK/length.png" "$WORK/reset.png" "$x" "$y" "$w" "$h")
echo "after 重置: $left readout pixels differ from the length shown before the start"
[ "$left" = 0 ] || fail "重置 does not show the length again"
[ "$(control_field 10011 enabled)" = 1 ] || fail "重置 did not unlock the mode controls"
grep -q "^countdown_fix_second=3" "$WORK/cfg.ini" || fail "the length was not kept in cfg.ini"
echo "1 passed, 0 failed"
