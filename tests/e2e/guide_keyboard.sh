#!/usr/bin/env bash
# With 最上 on, the window raises itself every 2.3 s, and the five-minute chime brings it to the
# foreground. The guide, chosen from the popup menu after the menu was open long enough for a
# raise to be due, keeps the keyboard for five seconds, across the chime at 10:15:00, and closes
# with Esc; twice more, more briefly, since the raise and the guide's opening race.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:14:52
sleep 1
for hold in 10 3 3; do
    read -r px py <<<"$(client_point 150 50)"
    click_at "$px" "$py" 3
    wait_for "^popup " || fail "no popup menu"
    sleep 3
    # 使用指南, the second entry from the bottom, clicked.
    IFS=, read -r ml _ _ mb <<<"$(echo "$PROBE_OUT" | sed -n 's/^popup rect=//p')"
    click_at $(( ml + 40 )) $(( mb - 34 ))
    wait_for "^dialog .*caption=使用指南$" || fail "the guide did not open"
    for _ in $(seq "$hold"); do
        sleep 0.5
        refresh
        echo "$PROBE_OUT" | grep -q "^state enabled=0 .*foreground=使用指南$" ||
            fail "the guide lost the keyboard: $(echo "$PROBE_OUT" | grep '^state')"
    done
    xdotool key Escape
    sleep 0.5
    refresh
    echo "$PROBE_OUT" | grep -q "^dialog " && fail "Esc did not close the guide"
    echo "$PROBE_OUT" | grep -q "^state enabled=1 " || fail "the window stayed disabled"
    echo "the guide kept the keyboard for $(( hold / 2 )) s and closed with Esc"
done
echo "1 passed, 0 failed"
