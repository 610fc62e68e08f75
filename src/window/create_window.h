#pragma once

#include <windows.h>

// Builds the popup menu, the eight controls and their fonts, loads the settings, makes the
// window topmost and gives the focus to the start button. Returns 0.
LRESULT OnCreate(HWND window);

// Creates the readout and control fonts at the layout's heights, gives the controls theirs and
// deletes the ones they replace.
void ApplyLayoutFonts();
// Gives the window the layout's outer size, if it has another (its position stays).
void FitWindowToLayout(HWND window);
// Moves and sizes the eight controls to the layout, for the window's present width.
void PlaceControls(HWND window);
