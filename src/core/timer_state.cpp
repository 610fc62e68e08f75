#include "timer_state.h"

#include <cstring>

#include "readout.h"
#include "resource_ids.h"

TimerState timerState;

void PrepareTimerState() {
    InitializeCriticalSection(&timerState.stateLock);
    timerState.backgroundBrush = CreateSolidBrush(kWindowFillColour);
}

void SetDisplayText(const char* text, int length) {
    if (length < 0) return;  // a failed format leaves the last readout standing
    StateLock lock;
    ReplaceReadoutText(timerState.displayText, kDisplayTextCapacity, text, length);
}

void WriteIdleReadout() {
    ReadoutBuffer text = {};
    StateLock lock;
    SetDisplayText(text,
                   FormatIdleReadout(text, timerState.mode, timerState.countdownKind,
                                     timerState.countdownFixSeconds, timerState.showMilliseconds));
}

void CopyDisplayText(char (&out)[kDisplayTextCapacity]) {
    StateLock lock;
    memcpy(out, timerState.displayText, kDisplayTextCapacity);
}

namespace {

RECT ToRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

RECT DisplayRect() {
    return ToRect(timerState.layout.displayRect);
}

void SetLayout(const ScaledLayout& layout) {
    StateLock lock;
    timerState.layout = layout;
}

void InvalidateReadout() {
    InvalidateReadoutBand(DisplayRect());
}

void InvalidateReadoutBand(const RECT& band) {
    // With no window yet, a null handle would invalidate every window of the desktop.
    if (!timerState.mainWindow) return;
    InvalidateRect(timerState.mainWindow, &band, FALSE);
}

void RequestProgressUpdate() {
    if (timerState.mainWindow) PostMessageW(timerState.mainWindow, WM_APP_PROGRESS_DUE, 0, 0);
}
