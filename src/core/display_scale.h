// Every pixel figure of the window, its fonts and the compact strip, at the display's scale.
// The figures are drawn up for 96 DPI (100 %); at d DPI each is scaled by d / 96 and rounded as
// the system's MulDiv rounds, half away from zero. Scaled here and only here: the window code
// reads the record that ScaleLayout returns and multiplies nothing itself.
// No <windows.h> here: the host tests compile this file too.
#pragma once

#include "timer_types.h"

constexpr int kLayoutDpi = 96;

// value * dpi / 96, rounded half away from zero (as MulDiv(value, dpi, 96)).
int ScaleToDpi(int value, int dpi);

// The eight controls of the main window, in the order they are created.
enum class ControlSlot {
    ClockRadio,
    StopwatchRadio,
    CountdownRadio,
    SetButton,
    TopCheck,
    MsCheck,
    StartButton,
    ResetButton,
};
constexpr int kControlCount = 8;

// A control's place: x counts from the client area's left edge, or, for the two check boxes at
// the right, back from the window's outer right edge (x = window width - fromRight).
struct ControlBox {
    int x;
    int y;
    int width;
    int height;
    bool fromRight;
};

// The compact strip's margins inside the readout band, and how much narrower it is without
// milliseconds (the plain form's four trailing blank places). The strip's exclusive right and
// bottom edges lie one pixel beyond the screen's when snapped; that one pixel is not scaled.
struct StripMargins {
    int left;
    int top;
    int right;
    int bottom;
    int plainNarrowing;
};

struct ScaledLayout {
    int dpi;
    int windowWidth;  // the outer size the window is created with
    int windowHeight;
    PixelRect displayRect;  // the readout band: drawn into and invalidated by the worker
    int readoutFontHeight;
    int controlFontHeight;
    int dialogDigitsHeight;  // the settings dialog's time fields
    int contactPicture;      // the contact dialog's square picture
    ControlBox controls[kControlCount];
    StripMargins strip;
};

// The 96-DPI layout's figures scaled to `dpi` (96 gives them unchanged).
ScaledLayout ScaleLayout(int dpi);

// The client rectangle of one control, the window being `windowWidth` wide outside.
PixelRect ControlRect(const ScaledLayout& layout, ControlSlot slot, int windowWidth);
