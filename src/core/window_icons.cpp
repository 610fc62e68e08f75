#include "window_icons.h"

#include "display_dpi.h"
#include "resource_ids.h"
#include "timer_state.h"

namespace {

// Without LR_SHARED, so the picture of exactly this size is taken, and the icon is the program's
// own: it may be destroyed once the window no longer shows it.
HICON LoadSizedIcon(HINSTANCE instance, int id, int side) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}

void ReplaceWindowIcon(HWND window, WPARAM kind, HICON icon) {
    if (!icon) return;  // the window keeps the one it shows
    HICON old = reinterpret_cast<HICON>(
        SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon)));
    // Only icons set here are ever the window's own; the class keeps its two.
    if (old && old != icon) DestroyIcon(old);
}

}  // namespace

void LoadClassIcons(HINSTANCE instance, WNDCLASSEXW& windowClass) {
    // Icons are square: the width metric alone picks the picture.
    windowClass.hIcon = LoadSizedIcon(instance, IDI_LARGE, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = LoadSizedIcon(instance, IDI_SMALL, GetSystemMetrics(SM_CXSMICON));
}

void SetWindowIcons(HWND window, int dpi) {
    const int large = SystemMetricForDpi(SM_CXICON, dpi);
    const int small = SystemMetricForDpi(SM_CXSMICON, dpi);
    if (large <= 0 || small <= 0) return;
    ReplaceWindowIcon(window, ICON_BIG, LoadSizedIcon(timerState.instance, IDI_LARGE, large));
    ReplaceWindowIcon(window, ICON_SMALL, LoadSizedIcon(timerState.instance, IDI_SMALL, small));
}
