#include "window_geometry.h"

namespace {

int FrameLeft(const FrameMetrics& frame) {
    return frame.clientLeft - frame.window.left;
}

// The caption and the top frame together.
int FrameTop(const FrameMetrics& frame) {
    return frame.clientTop - frame.window.top;
}

// The strip's exclusive right and bottom edges lie this far beyond a screen edge it is snapped to.
constexpr int kOverhang = 1;

}  // namespace

PixelRect CompactStrip(const FrameMetrics& frame, bool showMilliseconds,
                       const ScaledLayout& layout) {
    const int fx = FrameLeft(frame);
    const int fy = FrameTop(frame);
    const PixelRect band = layout.displayRect;
    const StripMargins& margin = layout.strip;
    const int narrowing = showMilliseconds ? 0 : margin.plainNarrowing;
    return {band.left + fx + margin.left, band.top + fy + margin.top,
            band.right + fx - margin.right - narrowing, band.bottom + fy - margin.bottom};
}

PixelPoint SnapTarget(SnapEdge edge, const FrameMetrics& frame, PixelRect monitor, bool compactMode,
                      bool showMilliseconds, const ScaledLayout& layout) {
    const int fx = FrameLeft(frame);
    const int fy = FrameTop(frame);
    const int width = frame.window.right - frame.window.left;
    const int height = frame.window.bottom - frame.window.top;
    const PixelRect band = layout.displayRect;
    const StripMargins& margin = layout.strip;
    PixelPoint target = {frame.window.left, frame.window.top};
    switch (edge) {
        case SnapEdge::Left:
            target.x = monitor.left + (compactMode ? -fx - margin.left : -fx);
            break;
        case SnapEdge::Top:
            target.y = monitor.top + (compactMode ? -fy - band.top - margin.top : 0);
            break;
        case SnapEdge::Right:
            // Compact, measured from the strip's own right edge rather than the window's: that is
            // right - Ww + fx + 3 + n where the client area is exactly as wide as the readout band
            // (the 396-pixel window on Windows), and the strip still meets the edge where the
            // frame is thinner and the client area wider (Wine: 3 pixels, 390).
            target.x = compactMode ? monitor.right + kOverhang -
                                         CompactStrip(frame, showMilliseconds, layout).right
                                   : monitor.right - width + fx;
            break;
        case SnapEdge::Bottom:
            target.y = monitor.bottom - height + fx;
            if (compactMode)
                target.y += frame.clientHeight - band.bottom + margin.bottom + kOverhang;
            break;
    }
    return target;
}
