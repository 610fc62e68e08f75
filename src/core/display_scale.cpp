#include "display_scale.h"

#include <cstdint>

namespace {

// The layout at 96 DPI.
constexpr int kWindowWidth = 396;
constexpr int kWindowHeight = 156;
constexpr int kReadoutFontHeight = 52;
constexpr int kControlFontHeight = 22;
constexpr int kDialogDigitsHeight = 30;
constexpr int kContactPicture = 200;

// Creation order. The two check boxes keep their distance from the window's right edge, whatever
// the frame makes of the client area's width.
constexpr ControlBox kControls[kControlCount] = {
    {1, 2, 51, 26, false},     // 时钟
    {54, 2, 51, 26, false},    // 秒表
    {107, 2, 68, 26, false},   // 倒计时
    {175, 2, 85, 26, false},   // 设定
    {72, 2, 52, 26, true},     // 最上
    {128, 2, 52, 26, true},    // 毫秒
    {3, 88, 98, 26, false},    // 开始
    {105, 88, 98, 26, false},  // 重置
};

// The readout font's four blank places are about 123 pixels wide at its height of 52.
constexpr StripMargins kStrip = {3, 1, 2, 1, 123};

PixelRect ScaleRect(PixelRect rect, int dpi) {
    return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
            ScaleToDpi(rect.bottom, dpi)};
}

}  // namespace

int ScaleToDpi(int value, int dpi) {
    const int64_t product = static_cast<int64_t>(value) * dpi;
    const int64_t half = kLayoutDpi / 2;
    const int64_t rounded =
        product >= 0 ? (product + half) / kLayoutDpi : -((-product + half) / kLayoutDpi);
    return static_cast<int>(rounded);
}

ScaledLayout ScaleLayout(int dpi) {
    ScaledLayout layout = {};
    layout.dpi = dpi;
    layout.windowWidth = ScaleToDpi(kWindowWidth, dpi);
    layout.windowHeight = ScaleToDpi(kWindowHeight, dpi);
    layout.displayRect = ScaleRect(kDisplayRect, dpi);
    layout.readoutFontHeight = ScaleToDpi(kReadoutFontHeight, dpi);
    layout.controlFontHeight = ScaleToDpi(kControlFontHeight, dpi);
    layout.dialogDigitsHeight = ScaleToDpi(kDialogDigitsHeight, dpi);
    layout.contactPicture = ScaleToDpi(kContactPicture, dpi);
    for (int i = 0; i < kControlCount; ++i) {
        const ControlBox& box = kControls[i];
        layout.controls[i] = {ScaleToDpi(box.x, dpi), ScaleToDpi(box.y, dpi),
                              ScaleToDpi(box.width, dpi), ScaleToDpi(box.height, dpi),
                              box.fromRight};
    }
    layout.strip = {ScaleToDpi(kStrip.left, dpi), ScaleToDpi(kStrip.top, dpi),
                    ScaleToDpi(kStrip.right, dpi), ScaleToDpi(kStrip.bottom, dpi),
                    ScaleToDpi(kStrip.plainNarrowing, dpi)};
    return layout;
}

PixelRect ControlRect(const ScaledLayout& layout, ControlSlot slot, int windowWidth) {
    const ControlBox& box = layout.controls[static_cast<int>(slot)];
    const int x = box.fromRight ? windowWidth - box.x : box.x;
    return {x, box.y, x + box.width, box.y + box.height};
}
