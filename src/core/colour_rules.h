// The colours the main window is painted in. Under a high-contrast scheme they are the scheme's
// own, so that a user who needs the contrast gets it and still sees the half hour, the full hour
// and the run-out apart from the normal readout; otherwise exactly the program's own.
// No <windows.h> here: the host tests compile this file too.
#pragma once

#include <cstdint>

#include "timer_types.h"

// What the system says: whether a high-contrast scheme is on, and the system colours it sets
// (COLORREF values, 0x00BBGGRR).
struct SystemColours {
    bool highContrast;
    uint32_t window;         // COLOR_WINDOW
    uint32_t windowText;     // COLOR_WINDOWTEXT
    uint32_t buttonFace;     // COLOR_BTNFACE
    uint32_t highlight;      // COLOR_HIGHLIGHT
    uint32_t highlightText;  // COLOR_HIGHLIGHTTEXT
};

struct PaintColours {
    ReadoutColours readout;  // the text and its cell
    uint32_t fill;           // the rest of the client area
};

// The normal readout in window colours, the half-hour, full-hour and run-out highlights as
// selected text, on the face colour the buttons stand on.
PaintColours ChoosePaintColours(HighlightState highlight, const SystemColours& system);
