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

}  // namespace

LRESULT OnArrowKey(WPARAM key) {
    SnapEdge edge;
    if (!EdgeOfKey(key, &edge)) return 0;
    HWND window = timerState.mainWindow;
    const ScreenSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const PixelPoint target = SnapTarget(edge, MeasureFrame(window), screen, timerState.compactMode,
                                         timerState.showMilliseconds, timerState.layout);
    // HWND_TOP without SWP_NOZORDER or SWP_NOACTIVATE: a snapped window also comes to the front
    // of its band and is activated, as a user who just moved it expects.
    SetWindowPos(window, HWND_TOP, target.x, target.y, 0, 0, SWP_NOSIZE);
    return 0;
}
