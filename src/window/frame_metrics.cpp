#include "frame_metrics.h"

FrameMetrics MeasureFrame(HWND window) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    FrameMetrics frame;
    frame.window = {outer.left, outer.top, outer.right, outer.bottom};
    frame.clientLeft = origin.x;
    frame.clientTop = origin.y;
    frame.clientHeight = client.bottom;
    return frame;
}
