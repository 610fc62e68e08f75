#include "close_window.h"

#include "command_rules.h"
#include "paint.h"
#include "timer_state.h"

LRESULT OnClose(HWND window) {
    if (CloseNeedsConfirmation(timerState.mode, timerState.runState) &&
        MessageBoxW(window, L"正在计时，确认退出？", L"退出", MB_OKCANCEL) != IDOK)
        return 0;  // the window and the timer carry on untouched
    DestroyWindow(window);
    return 0;
}

void OnDestroy() {
    ReleaseBackBuffer();
    timerState.quitRequested = true;
    PostQuitMessage(0);
}
