#include "keyboard.h"

#include "command_rules.h"
#include "edge_snap.h"
#include "timer_state.h"

namespace {

// Shift is not examined: Shift+Tab moves forward too.
void FocusNextInTabOrder() {
    const std::vector<HWND>& order = timerState.tabOrder;
    const HWND focus = GetFocus();
    int focused = -1;
    std::vector<bool> eligible(order.size());
    for (size_t index = 0; index < order.size(); ++index) {
        if (order[index] == focus) focused = static_cast<int>(index);
        eligible[index] = IsWindowVisible(order[index]) && IsWindowEnabled(order[index]);
    }
    const int next = NextTabStop(focused, eligible);
    if (next >= 0) SetFocus(order[next]);
}

}  // namespace

LRESULT OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_TAB:
            FocusNextInTabOrder();
            return 0;
        case VK_SPACE:
            // Only moves the focus; a focused button takes Space itself and never sends it here.
            SetFocus(timerState.startButton);
            return 0;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return OnArrowKey(key);
    }
    return 0;
}
