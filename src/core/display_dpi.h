// The DPI a window is shown at, from whichever call the system has. Windows 10 (1607 on) knows
// each window's own DPI; Windows 8.1 knows each monitor's; Windows 7 has one DPI for the whole
// session, fixed at log-on. The newer calls are looked up at run time, so that the program still
// starts on Windows 7 and imports nothing it lacks.
#pragma once

#include <windows.h>

// The DPI of `window`'s display; with a null window, the system's (the primary display's).
int WindowDpi(HWND window);
