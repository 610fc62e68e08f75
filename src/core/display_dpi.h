// The DPI a window is shown at, from whichever call the system has. Windows 10 (1607 on) knows
// each window's own DPI; Windows 8.1 knows each monitor's; Windows 7 has one DPI for the whole
// session, fixed at log-on. The newer calls are looked up at run time, so that the program still
// starts on Windows 7 and imports nothing it lacks.
#pragma once

#include <windows.h>

// The DPI of `window`'s display; with a null window, the system's (the primary display's).
int WindowDpi(HWND window);

// A system metric (GetSystemMetrics' index) at `dpi`, for a window on a display of another scale
// than the system's. 0 where the system cannot say (before Windows 10 1607): a process there is
// system-aware, and GetSystemMetrics already answers at its one scale.
int SystemMetricForDpi(int index, int dpi);
