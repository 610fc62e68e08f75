#include "control_focus.h"

#include "timer_state.h"

namespace {

// UI thread only: SetFocus acts on the calling thread's windows alone.
void MoveFocusOffBeforeLosing(HWND control) {
    const HWND focus = GetFocus();
    if (!focus || (focus != control && !IsChild(control, focus))) return;
    const HWND start = timerState.startButton;
    const bool startUsable = start != control && IsWindowEnabled(start) && IsWindowVisible(start);
    SetFocus(startUsable ? start : timerState.mainWindow);
}

}  // namespace

void EnableControl(HWND control, bool enabled) {
    if (!enabled) MoveFocusOffBeforeLosing(control);
    EnableWindow(control, enabled);
}

void ShowControl(HWND control, bool shown) {
    if (!shown) MoveFocusOffBeforeLosing(control);
    ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}
