#include "alarm_flash.h"

#include "timer_state.h"

namespace {

// About one blink of the caret, the rate at which Windows flashes by default.
constexpr uint64_t kCaptionFlashMs = 500;

void Flash(DWORD flags) {
    FLASHWINFO flash = {sizeof flash, timerState.mainWindow, flags, 0, 0};
    FlashWindowEx(&flash);
}

}  // namespace

void FlashForAlarm(WorkerLocal& local, uint64_t nowTick) {
    // Asked before the worker's SetForegroundWindow that follows, which Windows may refuse (the
    // user works in another program) or carry out later on the UI thread: flashing until the
    // window is in front covers both, as Windows stops that flash by itself once it is.
    if (GetForegroundWindow() != timerState.mainWindow) {
        // This flash ends by itself; a FLASHW_STOP still due from an earlier one would end it.
        local.captionFlashing = false;
        Flash(FLASHW_ALL | FLASHW_TIMERNOFG);
        return;
    }
    // Not a counted flash: Windows times that itself, but Wine ignores the count, inverts the
    // caption once and leaves it so. One inversion without a count, then FLASHW_STOP, which both
    // answer from the window's true state, behaves alike on both. A run-out while the caption is
    // still inverted leaves it so: inverted again, it would look as if nothing had flashed.
    if (local.captionFlashing) return;
    Flash(FLASHW_CAPTION);
    local.captionFlashing = true;
    local.captionFlashEndTick = nowTick + kCaptionFlashMs;
}

void EndAlarmFlash(WorkerLocal& local, uint64_t nowTick) {
    if (!local.captionFlashing || nowTick < local.captionFlashEndTick) return;
    local.captionFlashing = false;
    Flash(FLASHW_STOP);
}
