#pragma once

#include <windows.h>

// Everything the window owns, made before it is first shown: the popup menu, the controls at the
// layout of the window's own display, and the state the settings file holds. Returns 0.
LRESULT OnCreate(HWND window);

// Creates the readout and control fonts at the layout's heights, gives the controls theirs and
// deletes the ones they replace.
void ApplyLayoutFonts();
// Gives the window the layout's outer size, if it has another (its position stays).
void FitWindowToLayout(HWND window);
// Moves and sizes the eight controls to the layout, for the window's present width.
void PlaceControls(HWND window);
