#pragma once

#include <windows.h>

// Double-buffered: the readout is drawn into a memory bitmap kept with the window and copied
// from it, so the worker's redraws every 2 ms never flicker. Only what the system asks to be
// repainted is copied, and the readout is drawn into the bitmap only when it changed.
void OnPaint(HWND window);

// Releases the bitmap the paint handler keeps between paints; the window is going.
void ReleaseBackBuffer();
