#include "edge_snap.h"

#include "frame_metrics.h"
#include "timer_state.h"

namespace {

bool EdgeOfKey(WPARAM key, SnapEdge* edge) {
    switch (key) {
        case VK_LEFT:
            *edge = SnapEdge::Left;
            return true;
        case VK_UP:
            *edge = SnapEdge::Top;
            return true;
        case VK_RIGHT:
            *edge = SnapEdge::Right;
            return true;
        case VK_DOWN:
            *edge = SnapEdge::Bottom;
            return true;
    }
    return false;
}

// The whole monitor that holds the window (or the nearest one, for a window dragged off every
// screen), not its work area: the window may cover the taskbar's edge.
PixelRect MonitorOfWindow(HWND window) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace

LRESULT OnArrowKey(WPARAM key) {
    SnapEdge edge;
    if (!EdgeOfKey(key, &edge)) return 0;
    HWND window = timerState.mainWindow;
    const PixelPoint target =
        SnapTarget(edge, MeasureFrame(window), MonitorOfWindow(window), timerState.compactMode,
                   timerState.showMilliseconds, timerState.layout);
    // HWND_TOP without SWP_NOZORDER or SWP_NOACTIVATE: a snapped window also comes to the front
    // of its band and is activated, as a user who just moved it expects.
    SetWindowPos(window, HWND_TOP, target.x, target.y, 0, 0, SWP_NOSIZE);
    return 0;
}
