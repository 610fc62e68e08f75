// The high-contrast scheme as the system sets it, read at start-up and again whenever the user
// changes the scheme or a system colour. UI thread only, like the paint handler that uses it.
#pragma once

#include <windows.h>

#include "colour_rules.h"

SystemColours ReadSystemColours();

// Makes `colours` the ones the window is painted with. Where that changes the fill, the
// background brush is made anew; where it changes anything, the whole window is redrawn.
void UseSystemColours(const SystemColours& colours);

// The colours to paint with now, `highlight` chosen.
PaintColours CurrentPaintColours(HighlightState highlight);

// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: the scheme may have been switched on or off, or one
// of its colours changed.
LRESULT OnSystemColoursChanged();
