#include "display_scale.h"

#include <gtest/gtest.h>

#include "window_geometry.h"

namespace {

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

constexpr int kHigherDpis[] = {120, 144, 192, 288};

}  // namespace

TEST(ScaleToDpi, RoundsAsMulDivDoesHalfAwayFromZero) {
    struct Case {
        int value, dpi, scaled;
    };
    const Case cases[] = {{52, 96, 52}, {1, 144, 2},     {3, 144, 5},     {-3, 144, -5},
                          {2, 120, 3},  {5, 120, 6},     {123, 120, 154}, {-1, 120, -1},
                          {0, 288, 0},  {396, 192, 792}, {85, 168, 149},  {30, 110, 34}};
    for (const Case& c : cases)
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

TEST(ScaledLayout, At96DpiIsTheLayoutExactly) {
    const ScaledLayout layout = ScaleLayout(96);
    EXPECT_EQ(layout.windowWidth, 396);
    EXPECT_EQ(layout.windowHeight, 156);
    EXPECT_EQ(layout.displayRect.left, 0);
    EXPECT_EQ(layout.displayRect.top, 30);
    EXPECT_EQ(layout.displayRect.right, 380);
    EXPECT_EQ(layout.displayRect.bottom, 85);
    EXPECT_EQ(layout.readoutFontHeight, 52);
    EXPECT_EQ(layout.controlFontHeight, 22);
    EXPECT_EQ(layout.dialogDigitsHeight, 30);
    EXPECT_EQ(layout.contactPicture, 200);
    EXPECT_EQ(layout.strip.left, 3);
    EXPECT_EQ(layout.strip.top, 1);
    EXPECT_EQ(layout.strip.right, 2);
    EXPECT_EQ(layout.strip.bottom, 1);
    EXPECT_EQ(layout.strip.plainNarrowing, 123);
    // x, y, width, height in a 396-wide window.
    const int boxes[kControlCount][4] = {{1, 2, 51, 26},   {54, 2, 51, 26},  {107, 2, 68, 26},
                                         {175, 2, 85, 26}, {324, 2, 52, 26}, {268, 2, 52, 26},
                                         {3, 88, 98, 26},  {105, 88, 98, 26}};
    for (int i = 0; i < kControlCount; ++i) {
        const PixelRect rect = ControlRect(layout, static_cast<ControlSlot>(i), 396);
        EXPECT_EQ(rect.left, boxes[i][0]) << "control " << i;
        EXPECT_EQ(rect.top, boxes[i][1]) << "control " << i;
        EXPECT_EQ(rect.right - rect.left, boxes[i][2]) << "control " << i;
        EXPECT_EQ(rect.bottom - rect.top, boxes[i][3]) << "control " << i;
    }
    // The check boxes keep their distance from the right edge of a wider window.
    EXPECT_EQ(ControlRect(layout, ControlSlot::TopCheck, 400).left, 328);
}

TEST(ScaledLayout, AtHigherDpisEverythingScalesAndStaysInsideTheClientArea) {
    for (int dpi : kHigherDpis) {
        const ScaledLayout layout = ScaleLayout(dpi);
        EXPECT_EQ(layout.dpi, dpi);
        EXPECT_EQ(layout.windowWidth, 396 * dpi / 96);
        EXPECT_EQ(layout.readoutFontHeight, ScaleToDpi(52, dpi));
        EXPECT_EQ(layout.dialogDigitsHeight, ScaleToDpi(30, dpi));
        // The client area that Windows' frame, scaled with the display, leaves.
        const int border = ScaleToDpi(8, dpi);
        const int caption = ScaleToDpi(31, dpi);
        const PixelRect client = {0, 0, layout.windowWidth - 2 * border,
                                  layout.windowHeight - caption - border};
        EXPECT_TRUE(Inside(layout.displayRect, client)) << dpi;
        for (int i = 0; i < kControlCount; ++i) {
            const PixelRect rect =
                ControlRect(layout, static_cast<ControlSlot>(i), layout.windowWidth);
            EXPECT_TRUE(Inside(rect, client)) << "control " << i << " at " << dpi;
            EXPECT_FALSE(Overlap(rect, layout.displayRect)) << "control " << i << " at " << dpi;
            for (int j = 0; j < i; ++j)
                EXPECT_FALSE(Overlap(
                    rect, ControlRect(layout, static_cast<ControlSlot>(j), layout.windowWidth)))
                    << "controls " << j << " and " << i << " at " << dpi;
        }
    }
}

TEST(ScaledLayout, TheSnappedStripMeetsAllFourMonitorEdgesAtEveryScale) {
    const PixelRect monitor = {1280, -200, 3840, 1400};  // a second monitor, right and above
    for (int dpi : kHigherDpis) {
        const ScaledLayout layout = ScaleLayout(dpi);
        // Windows' frame at this scale, the window somewhere on the screen.
        const int fx = ScaleToDpi(8, dpi);
        const int fy = ScaleToDpi(31, dpi);
        const int width = layout.windowWidth;
        const int height = layout.windowHeight;
        for (bool ms : {true, false}) {
            for (SnapEdge edge :
                 {SnapEdge::Left, SnapEdge::Top, SnapEdge::Right, SnapEdge::Bottom}) {
                const FrameMetrics frame = {
                    {1500, 200, 1500 + width, 200 + height}, 1500 + fx, 200 + fy, height - fy - fx};
                const PixelPoint corner = SnapTarget(edge, frame, monitor, true, ms, layout);
                const PixelRect strip = CompactStrip(frame, ms, layout);
                SCOPED_TRACE(testing::Message()
                             << dpi << " DPI, ms " << ms << ", edge " << static_cast<int>(edge));
                // Right and bottom exclusive: one pixel beyond the screen, at every scale.
                switch (edge) {
                    case SnapEdge::Left:
                        EXPECT_EQ(corner.x + strip.left, monitor.left);
                        break;
                    case SnapEdge::Top:
                        EXPECT_EQ(corner.y + strip.top, monitor.top);
                        break;
                    case SnapEdge::Right:
                        EXPECT_EQ(corner.x + strip.right, monitor.right + 1);
                        break;
                    case SnapEdge::Bottom:
                        EXPECT_EQ(corner.y + strip.bottom, monitor.bottom + 1);
                        break;
                }
                // The strip is the scaled band less its scaled margins, in client terms.
                EXPECT_EQ(strip.left - fx, ScaleToDpi(3, dpi));
                EXPECT_EQ(strip.bottom - fy, ScaleToDpi(85, dpi) - ScaleToDpi(1, dpi));
                EXPECT_EQ(strip.right - fx, ScaleToDpi(380, dpi) - ScaleToDpi(2, dpi) -
                                                (ms ? 0 : ScaleToDpi(123, dpi)));
            }
        }
    }
}
