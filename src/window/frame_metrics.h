// Reads the main window's frame from the system, afresh at each use: the frame's thickness and
// the caption's height come from the system's metrics and theme.
#pragma once

#include <windows.h>

#include "window_geometry.h"

FrameMetrics MeasureFrame(HWND window);
