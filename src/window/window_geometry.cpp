#include "window_geometry.h"

namespace {

int FrameLeft(const FrameMetrics& frame) {
    return frame.clientLeft - frame.window.left;
}

// The caption and the top frame together.
int FrameTop(const FrameMetrics& frame) {
    return frame.clientTop - frame.window.top;
}

int Narrowing(bool showMilliseconds) {
    return showMilliseconds ? 0 : kPlainFormNarrowing;
}

}  // namespace

PixelRect CompactStrip(const FrameMetrics& frame, bool showMilliseconds) {
    const int fx = FrameLeft(frame);
    const int fy = FrameTop(frame);
    const PixelRect band = kDisplayRect;
    return {band.left + fx + 3, band.top + fy + 1,
            band.right + fx - 2 - Narrowing(showMilliseconds), band.bottom + fy - 1};
}

PixelPoint SnapTarget(SnapEdge edge, const FrameMetrics& frame, PixelRect monitor, bool compactMode,
                      bool showMilliseconds) {
    const int fx = FrameLeft(frame);
    const int fy = FrameTop(frame);
    const int width = frame.window.right - frame.window.left;
    const int height = frame.window.bottom - frame.window.top;
    const PixelRect band = kDisplayRect;
    PixelPoint target = {frame.window.left, frame.window.top};
    switch (edge) {
        case SnapEdge::Left:
            target.x = monitor.left + (compactMode ? -fx - 3 : -fx);
            break;
        case SnapEdge::Top:
            target.y = monitor.top + (compactMode ? -fy - band.top - 1 : 0);
            break;
        case SnapEdge::Right:
            // Compact, measured from the strip's own right edge rather than the window's: that is
            // right - Ww + fx + 3 + n where the client area is exactly as wide as the readout band
            // (the 396-pixel window on Windows), and the strip still meets the edge where the
            // frame is thinner and the client area wider (Wine: 3 pixels, 390).
            target.x = compactMode ? monitor.right + 1 - CompactStrip(frame, showMilliseconds).right
                                   : monitor.right - width + fx;
            break;
        case SnapEdge::Bottom:
            target.y = monitor.bottom - height + fx;
            if (compactMode) target.y += frame.clientBottom - band.bottom + 2;
            break;
    }
    return target;
}
