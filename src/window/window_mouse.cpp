#include "window_mouse.h"

#include <windowsx.h>

#include "timer_state.h"

LRESULT OnNcHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    // The background answers as caption: a press there starts the system's move loop, and
    // clicks arrive as non-client messages. The controls hit-test themselves.
    const LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT OnNcRButtonDown() {
    // The default processing on a caption-answering area captures the mouse and, under Wine,
    // takes the button-up itself to show the system menu, so WM_NCRBUTTONUP would never come.
    return 0;
}

void OpenPopupMenu(HWND window, int x, int y) {
    // Set before the menu opens: the tick worker must not raise the window over it.
    timerState.menuOpen = true;
    TrackPopupMenu(timerState.popupMenu, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0,
                   window, nullptr);
}

LRESULT OnNcRButtonUp(HWND window, LPARAM lParam) {
    OpenPopupMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    // Not passed on: a right-click never opens the system menu.
    return 0;
}

LRESULT OnExitMenuLoop(WPARAM isPopup) {
    if (isPopup) timerState.menuOpen = false;
    return 0;
}
