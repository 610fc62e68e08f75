#include "key_forwarder.h"

#include "timer_state.h"

bool IsForwardedKey(WPARAM key) {
    return key == VK_TAB || key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}

LRESULT CALLBACK ChildKeyForwarder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Shift and Ctrl are not examined; Alt combinations arrive as WM_SYSKEYDOWN and stay here.
    if (message == WM_KEYDOWN && IsForwardedKey(wParam))
        SendMessageW(timerState.mainWindow, WM_KEYDOWN, wParam, lParam);
    return CallWindowProcW(timerState.buttonProc, window, message, wParam, lParam);
}
