#include "timer_state.h"

#include <cstring>

#include "readout.h"

namespace {

// displayText and backgroundBrush are ready before the entry point runs.
TimerState& PrepareState(TimerState& state) {
    InitializeCriticalSection(&state.counterLock);
    state.backgroundBrush = CreateSolidBrush(kWindowFillColour);
    return state;
}

}  // namespace

TimerState timerState;
[[maybe_unused]] static TimerState& preparedState = PrepareState(timerState);

void SetDisplayText(const char* text, int length) {
    if (length < 0) return;  // a failed format leaves the last readout standing
    StateLock lock;
    ReplaceReadoutText(timerState.displayText, kDisplayTextCapacity, text, length);
}

void CopyDisplayText(char (&out)[kDisplayTextCapacity]) {
    StateLock lock;
    memcpy(out, timerState.displayText, kDisplayTextCapacity);
}

RECT DisplayRect() {
    return {kDisplayRect.left, kDisplayRect.top, kDisplayRect.right, kDisplayRect.bottom};
}

void InvalidateReadout() {
    // With no window yet, a null handle would invalidate every window of the desktop.
    if (!timerState.mainWindow) return;
    const RECT rect = DisplayRect();
    InvalidateRect(timerState.mainWindow, &rect, FALSE);
}
