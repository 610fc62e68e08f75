#include "dpi_change.h"

#include "compact_mode.h"
#include "create_window.h"
#include "timer_state.h"
#include "window_icons.h"

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    // Both words carry the same figure: a window has one DPI for both axes.
    SetLayout(ScaleLayout(LOWORD(wParam)));
    // The system's rectangle keeps the window under the cursor when it is dragged across, and
    // at the same place in the user's eye when the display's scale is changed.
    if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls(window);
    ApplyLayoutFonts();
    SetWindowIcons(window, LOWORD(wParam));
    // The strip follows the readout band and the frame, both at their new sizes now.
    if (timerState.compactMode) ApplyCompactRegion();
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}
