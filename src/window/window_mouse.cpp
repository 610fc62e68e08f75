#include "window_mouse.h"

LRESULT OnNcHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
}

LRESULT OnNcRButtonDown() {
    return 0;
}

LRESULT OnNcRButtonUp(HWND, LPARAM) {
    return 0;
}

LRESULT OnExitMenuLoop(WPARAM) {
    return 0;
}
