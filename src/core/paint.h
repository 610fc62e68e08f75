#pragma once

#include <windows.h>

// Double-buffered: the readout is drawn into a memory bitmap and copied in one piece, so the
// worker's redraws every 2 ms never flicker.
void OnPaint(HWND window);

// Ends the worker and the message loop.
void OnDestroy();
