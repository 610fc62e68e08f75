#include "window_geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr PixelRect kScreen = {0, 0, 1280, 800};

// A window at (left, top) of width x height whose left, right and bottom frames are fx wide and
// whose caption and top frame together are fy high.
FrameMetrics Frame(int left, int top, int width, int height, int fx, int fy) {
    return {{left, top, left + width, top + height}, left + fx, top + fy, height - fy - fx};
}

FrameMetrics MovedTo(FrameMetrics frame, PixelPoint corner) {
    const int dx = corner.x - frame.window.left;
    const int dy = corner.y - frame.window.top;
    frame.window = {frame.window.left + dx, frame.window.top + dy, frame.window.right + dx,
                    frame.window.bottom + dy};
    frame.clientLeft += dx;
    frame.clientTop += dy;
    return frame;
}

// The 396 x 156 window with the frame Windows 10 gives it (client 380 wide), with the frame
// Wine draws (client 390 wide), a narrower one and a frameless one.
const FrameMetrics kWindowsFrame = Frame(100, 200, 396, 156, 8, 31);
const FrameMetrics kFrames[] = {
    kWindowsFrame,
    Frame(100, 200, 396, 156, 3, 23),
    Frame(-40, 700, 386, 141, 3, 26),
    Frame(500, 10, 380, 117, 0, 0),
};

struct Placed {
    int left, top, right, bottom;
};

// The strip on screen (right and bottom exclusive) with the window's corner at `corner`.
Placed StripOnScreen(const FrameMetrics& frame, PixelPoint corner, bool showMilliseconds) {
    const PixelRect strip = CompactStrip(frame, showMilliseconds);
    return {corner.x + strip.left, corner.y + strip.top, corner.x + strip.right,
            corner.y + strip.bottom};
}

}  // namespace

TEST(CompactStrip, TheReadoutBandLessItsMarginInWindowCoordinates) {
    const FrameMetrics frame = kWindowsFrame;
    const PixelRect withMs = CompactStrip(frame, true);
    EXPECT_EQ(withMs.left, 11);
    EXPECT_EQ(withMs.top, 62);
    EXPECT_EQ(withMs.right, 386);
    EXPECT_EQ(withMs.bottom, 115);
    const PixelRect plain = CompactStrip(frame, false);
    EXPECT_EQ(plain.left, 11);
    EXPECT_EQ(plain.top, 62);
    EXPECT_EQ(plain.right, 263);
    EXPECT_EQ(plain.bottom, 115);
}

TEST(CompactStrip, FollowsTheFrameAndNotThePosition) {
    for (const FrameMetrics& frame : kFrames) {
        const int fx = frame.clientLeft - frame.window.left;
        const int fy = frame.clientTop - frame.window.top;
        for (bool ms : {true, false}) {
            const PixelRect strip = CompactStrip(frame, ms);
            // Client x 3 to 377 (or 254), y 31 to 83, whatever the frame.
            EXPECT_EQ(strip.left - fx, 3);
            EXPECT_EQ(strip.top - fy, 31);
            EXPECT_EQ(strip.right - fx, ms ? 378 : 255);
            EXPECT_EQ(strip.bottom - fy, 84);
            const PixelRect moved = CompactStrip(MovedTo(frame, {-500, 900}), ms);
            EXPECT_EQ(moved.left, strip.left);
            EXPECT_EQ(moved.right, strip.right);
            EXPECT_EQ(moved.top, strip.top);
        }
    }
}

TEST(SnapTarget, NormalModeOnTheWindowsFrame) {
    const FrameMetrics frame = kWindowsFrame;
    for (bool ms : {true, false}) {  // the form matters only to the strip
        const PixelPoint left = SnapTarget(SnapEdge::Left, frame, kScreen, false, ms);
        EXPECT_EQ(left.x, -8);
        EXPECT_EQ(left.y, 200);
        const PixelPoint top = SnapTarget(SnapEdge::Top, frame, kScreen, false, ms);
        EXPECT_EQ(top.x, 100);
        EXPECT_EQ(top.y, 0);
        const PixelPoint right = SnapTarget(SnapEdge::Right, frame, kScreen, false, ms);
        EXPECT_EQ(right.x, 892);
        EXPECT_EQ(right.y, 200);
        const PixelPoint bottom = SnapTarget(SnapEdge::Bottom, frame, kScreen, false, ms);
        EXPECT_EQ(bottom.x, 100);
        EXPECT_EQ(bottom.y, 652);
    }
}

TEST(SnapTarget, CompactModeOnTheWindowsFrame) {
    const FrameMetrics frame = kWindowsFrame;
    EXPECT_EQ(SnapTarget(SnapEdge::Left, frame, kScreen, true, true).x, -11);
    EXPECT_EQ(SnapTarget(SnapEdge::Top, frame, kScreen, true, true).y, -62);
    EXPECT_EQ(SnapTarget(SnapEdge::Right, frame, kScreen, true, true).x, 895);
    EXPECT_EQ(SnapTarget(SnapEdge::Right, frame, kScreen, true, false).x, 1018);
    EXPECT_EQ(SnapTarget(SnapEdge::Bottom, frame, kScreen, true, false).y, 686);
    EXPECT_EQ(SnapTarget(SnapEdge::Bottom, frame, kScreen, true, false).x, 100);
    // Where the client area is as wide as the readout band, the right target is the window's
    // width back from the screen's edge, less the frame, the margin and the narrowing.
    for (bool ms : {true, false})
        EXPECT_EQ(SnapTarget(SnapEdge::Right, frame, kScreen, true, ms).x,
                  1280 - 396 + 8 + 3 + (ms ? 0 : 123));
}

TEST(SnapTarget, CompactRightFollowsTheStripWhereTheClientAreaIsWiderThanTheBand) {
    const FrameMetrics wine = Frame(100, 200, 396, 156, 3, 23);  // client 390 wide
    EXPECT_EQ(SnapTarget(SnapEdge::Right, wine, kScreen, true, true).x, 1281 - 381);
    EXPECT_EQ(SnapTarget(SnapEdge::Right, wine, kScreen, true, false).x, 1281 - 258);
    EXPECT_EQ(SnapTarget(SnapEdge::Right, wine, kScreen, false, true).x, 1280 - 396 + 3);
}

TEST(SnapTarget, NormalModePutsTheClientAreaOnTheEdgesAndTheWholeWindowAtTheTop) {
    const PixelRect screens[] = {kScreen, {0, 0, 1920, 1080}};
    for (const PixelRect screen : screens) {
        for (const FrameMetrics& frame : kFrames) {
            const int fx = frame.clientLeft - frame.window.left;
            const int fy = frame.clientTop - frame.window.top;
            const int clientWidth = frame.window.right - frame.window.left - 2 * fx;
            const PixelPoint left = SnapTarget(SnapEdge::Left, frame, screen, false, true);
            EXPECT_EQ(left.x + fx, 0);
            const PixelPoint right = SnapTarget(SnapEdge::Right, frame, screen, false, false);
            EXPECT_EQ(right.x + fx + clientWidth, screen.right);
            EXPECT_EQ(SnapTarget(SnapEdge::Top, frame, screen, false, true).y, 0);
            const PixelPoint bottom = SnapTarget(SnapEdge::Bottom, frame, screen, false, false);
            EXPECT_EQ(bottom.y + fy + frame.clientHeight, screen.bottom);
        }
    }
}

TEST(SnapTarget, CompactModePutsTheStripOnTheEdgesWithAndWithoutMilliseconds) {
    for (const FrameMetrics& frame : kFrames) {
        for (bool ms : {true, false}) {
            Placed strip =
                StripOnScreen(frame, SnapTarget(SnapEdge::Left, frame, kScreen, true, ms), ms);
            EXPECT_EQ(strip.left, 0);
            strip = StripOnScreen(frame, SnapTarget(SnapEdge::Top, frame, kScreen, true, ms), ms);
            EXPECT_EQ(strip.top, 0);
            // The exclusive right and bottom edges lie one pixel beyond the screen.
            strip = StripOnScreen(frame, SnapTarget(SnapEdge::Right, frame, kScreen, true, ms), ms);
            EXPECT_EQ(strip.right, kScreen.right + 1);
            strip =
                StripOnScreen(frame, SnapTarget(SnapEdge::Bottom, frame, kScreen, true, ms), ms);
            EXPECT_EQ(strip.bottom, kScreen.bottom + 1);
        }
    }
}

TEST(SnapTarget, AWindowAlreadyFlushStaysWhereItIs) {
    for (const FrameMetrics& frame : kFrames) {
        for (SnapEdge edge : {SnapEdge::Left, SnapEdge::Top, SnapEdge::Right, SnapEdge::Bottom}) {
            for (bool compact : {false, true}) {
                for (bool ms : {true, false}) {
                    const PixelPoint first = SnapTarget(edge, frame, kScreen, compact, ms);
                    const PixelPoint again =
                        SnapTarget(edge, MovedTo(frame, first), kScreen, compact, ms);
                    EXPECT_EQ(again.x, first.x);
                    EXPECT_EQ(again.y, first.y);
                }
            }
        }
    }
}

TEST(SnapTarget, KeepsTheOtherCoordinateEvenOffScreen) {
    const FrameMetrics frame = Frame(-40, 700, 386, 141, 3, 26);
    for (bool compact : {false, true}) {
        EXPECT_EQ(SnapTarget(SnapEdge::Left, frame, kScreen, compact, true).y, 700);
        EXPECT_EQ(SnapTarget(SnapEdge::Right, frame, kScreen, compact, true).y, 700);
        EXPECT_EQ(SnapTarget(SnapEdge::Top, frame, kScreen, compact, true).x, -40);
        EXPECT_EQ(SnapTarget(SnapEdge::Bottom, frame, kScreen, compact, true).x, -40);
    }
}

// A second monitor to the right of the primary, one to its left at negative coordinates, and the
// primary itself, with the window on each (its corner 100, 200 in from the monitor's): the
// targets of the window's corner on the Windows frame, normal and compact with and without
// milliseconds. The other coordinate stays.
TEST(SnapTarget, OnTheEdgesOfTheMonitorTheWindowIsOn) {
    struct Row {
        PixelRect monitor;
        SnapEdge edge;
        int normal, compactMs, compactPlain;
    };
    constexpr PixelRect right = {1280, 0, 2560, 800};
    constexpr PixelRect left = {-1920, -200, 0, 880};
    constexpr PixelRect primary = {0, 0, 1280, 800};
    const Row rows[] = {
        {right, SnapEdge::Left, 1272, 1269, 1269},   {right, SnapEdge::Top, 0, -62, -62},
        {right, SnapEdge::Right, 2172, 2175, 2298},  {right, SnapEdge::Bottom, 652, 686, 686},
        {left, SnapEdge::Left, -1928, -1931, -1931}, {left, SnapEdge::Top, -200, -262, -262},
        {left, SnapEdge::Right, -388, -385, -262},   {left, SnapEdge::Bottom, 732, 766, 766},
        {primary, SnapEdge::Left, -8, -11, -11},     {primary, SnapEdge::Top, 0, -62, -62},
        {primary, SnapEdge::Right, 892, 895, 1018},  {primary, SnapEdge::Bottom, 652, 686, 686},
    };
    for (const Row& row : rows) {
        const FrameMetrics frame =
            Frame(row.monitor.left + 100, row.monitor.top + 200, 396, 156, 8, 31);
        const bool horizontal = row.edge == SnapEdge::Left || row.edge == SnapEdge::Right;
        for (bool compact : {false, true}) {
            for (bool ms : {true, false}) {
                const PixelPoint target = SnapTarget(row.edge, frame, row.monitor, compact, ms);
                const int expected = !compact ? row.normal : ms ? row.compactMs : row.compactPlain;
                SCOPED_TRACE(testing::Message() << "monitor left " << row.monitor.left << ", edge "
                                                << static_cast<int>(row.edge) << ", compact "
                                                << compact << ", ms " << ms);
                EXPECT_EQ(horizontal ? target.x : target.y, expected);
                EXPECT_EQ(horizontal ? target.y : target.x,
                          horizontal ? frame.window.top : frame.window.left);
            }
        }
    }
}
