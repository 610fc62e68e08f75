// Where the compact strip lies and where the arrow keys put the window, as arithmetic over the
// frame measured at the moment of use. The frame's size depends on the system's metrics, so
// nothing here assumes a caption height or border width.
#pragma once

#include "display_scale.h"
#include "timer_types.h"

// The main window as measured on screen.
struct FrameMetrics {
    PixelRect window;  // the window rectangle, screen coordinates
    int clientLeft;    // the client area's origin, screen coordinates
    int clientTop;
    int clientHeight;
};

struct PixelPoint {
    int x;
    int y;
};

// The compact strip as the arguments of the rounded-rectangle region (right and bottom
// exclusive), in window coordinates: the readout band less a small margin. Without milliseconds
// the readout's last four places are blank, and the strip leaves out the pixels they take at the
// right end of the band (123 at 96 DPI). The band, the margins and the narrowing are the
// layout's, at the window's scale.
PixelRect CompactStrip(const FrameMetrics& frame, bool showMilliseconds,
                       const ScaledLayout& layout = ScaleLayout(kLayoutDpi));

enum class SnapEdge { Left, Top, Right, Bottom };

// The window's new top-left corner, flush against one edge of the monitor it is on (`monitor`:
// the whole monitor in screen coordinates, taskbar included; right and bottom exclusive). In
// normal mode the client area meets the left, right and bottom edges and the whole window the top
// one; in compact mode the strip meets them, a pixel beyond at the right and bottom (its
// exclusive edges). The other coordinate stays as it is. The left frame's width stands for the
// right and bottom ones. At every scale the strip's exclusive edges overhang by one pixel, not by
// a scaled one.
PixelPoint SnapTarget(SnapEdge edge, const FrameMetrics& frame, PixelRect monitor, bool compactMode,
                      bool showMilliseconds, const ScaledLayout& layout = ScaleLayout(kLayoutDpi));
