#!/usr/bin/env bash
# An until-time countdown on the night the clock springs forward in Berlin (2027-03-28, 02:00 CET
# becomes 03:00 CEST): armed at about 01:59:50 for 03:00:10, it has seconds to go, not an hour,
# and its alarm turns the readout red once those seconds have passed.
source "$(dirname "$0")/lib.sh"
cp "$EXE" "$WORK/zelvik-timer.exe"
TIMER_EXE=$WORK/zelvik-timer.exe
printf '[CFG]\r\ntimeout_continue=0\r\ncountdown_fix_second=300\r\ncountdown_to_time=10810\r\n' \
    >"$WORK/cfg.ini"
export TZ=Europe/Berlin
FAKE_DATE=2027-03-28 start_timer_at 01:59:45
sleep 1
read -r x y w h <<<"$(readout_band)"

click_client 137 15  # 倒计时
click_client 217 15  # 设定
wait_for "^dialog .*caption=倒计时设定$" || fail "the settings dialog did not open"
read -r cx cy <<<"$(dialog_control_centre 1008)"
click_at "$cx" "$cy"  # 至绝对时间
read -r cx cy <<<"$(dialog_control_centre 1)"
click_at "$cx" "$cy"  # 确认
wait_for "^control id=10006 .*text=到03:00:10$" || fail "设定 does not show the target"
click_client 52 101  # 开始
armed=$(date +%s)
sleep 1
screenshot armed
red=$(pixels count "$WORK/armed.png" "$x" "$y" "$w" "$h" EB0000)
[ "$red" = 0 ] || fail "red right after arming"
for _ in $(seq 60); do
    screenshot now
    red=$(pixels count "$WORK/now.png" "$x" "$y" "$w" "$h" EB0000)
    [ "$red" -gt 200 ] && break
    sleep 0.5
done
[ "$red" -gt 200 ] || fail "no alarm within 30 s of real time: the countdown went by the wall clock"
echo "the alarm came $(( $(date +%s) - armed )) s after arming, across the change of the clock"
echo "1 passed, 0 failed"
