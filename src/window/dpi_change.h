// The window moved to a display of another scale (Windows 8.1 and later, per-monitor aware).
#pragma once

#include <windows.h>

// WM_DPICHANGED: the new DPI in wParam, the rectangle the system suggests in lParam. Re-lays the
// window out at the new scale; the readout, the run state and the focus stay as they are.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam);
