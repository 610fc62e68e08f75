#include "compact_mode.h"

#include "control_marks.h"
#include "frame_metrics.h"
#include "resource_ids.h"
#include "timer_state.h"

namespace {

void ToggleCompact() {
    const bool compact = !timerState.compactMode;
    timerState.compactMode = compact;
    CheckMenuEntry(IDM_COMPACT, compact);
    ApplyCompactRegion();
}

}  // namespace

void ApplyCompactRegion() {
    HWND window = timerState.mainWindow;
    if (timerState.compactMode) {
        const PixelRect strip =
            CompactStrip(MeasureFrame(window), timerState.showMilliseconds, timerState.layout);
        // A rounded rectangle with no rounding: the strip's exact corners. The system owns the
        // region once it is set.
        HRGN region = CreateRoundRectRgn(strip.left, strip.top, strip.right, strip.bottom, 0, 0);
        SetWindowRgn(window, region, TRUE);
    } else {
        SetWindowRgn(window, nullptr, TRUE);
    }
    UpdateWindow(window);
}

LRESULT OnNcLButtonDblClk() {
    ToggleCompact();
    // In the strip no button is visible; the focus on the start button lets Space start and
    // pause from the keyboard.
    SetFocus(timerState.startButton);
    return 0;
}

void ToggleCompactFromMenu() {
    ToggleCompact();
}
