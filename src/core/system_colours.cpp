#include "system_colours.h"

#include "timer_state.h"

namespace {

// Until the first reading: no scheme, which paints exactly what the brush made at start-up fills.
SystemColours current = {};

bool Same(const SystemColours& a, const SystemColours& b) {
    return a.highContrast == b.highContrast && a.window == b.window &&
           a.windowText == b.windowText && a.buttonFace == b.buttonFace &&
           a.highlight == b.highlight && a.highlightText == b.highlightText;
}

}  // namespace

SystemColours ReadSystemColours() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON);
    return {on,
            GetSysColor(COLOR_WINDOW),
            GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_BTNFACE),
            GetSysColor(COLOR_HIGHLIGHT),
            GetSysColor(COLOR_HIGHLIGHTTEXT)};
}

void UseSystemColours(const SystemColours& colours) {
    if (Same(colours, current)) return;
    const uint32_t oldFill = CurrentPaintColours(HighlightState::Normal).fill;
    current = colours;
    const uint32_t fill = CurrentPaintColours(HighlightState::Normal).fill;
    if (fill != oldFill || !timerState.backgroundBrush) {
        HBRUSH old = timerState.backgroundBrush;
        timerState.backgroundBrush = CreateSolidBrush(fill);
        // Only the paint handler selects the brush, and only while it paints.
        if (old) DeleteObject(old);
    }
    // The back buffer compares colours and refills itself when they differ.
    if (timerState.mainWindow)
        RedrawWindow(timerState.mainWindow, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

PaintColours CurrentPaintColours(HighlightState highlight) {
    return ChoosePaintColours(highlight, current);
}

LRESULT OnSystemColoursChanged() {
    UseSystemColours(ReadSystemColours());
    return 0;
}
