// Compact mode: the window clipped to a borderless strip around the readout.
#pragma once

#include <windows.h>

// Sets the strip's region while compact, removes it otherwise; the strip's width follows the
// readout form.
void ApplyCompactRegion();

// Double-click on the caption, the frame or the background: toggles compact mode and gives the
// focus to the start button. Returns 0: none of the default double-click actions happens.
LRESULT OnNcLButtonDblClk();

// Menu entry 精简模式: toggles compact mode, leaving the focus where it is.
void ToggleCompactFromMenu();
