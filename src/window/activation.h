// Activation of the main window while a modal window has disabled it.
#pragma once

#include <windows.h>

// WM_WINDOWPOSCHANGING: a disabled main window is raised without being activated, so that the
// tick worker's raise, which it decided before a modal window disabled the main window and
// which lands afterwards, never takes the keyboard from that modal window. Returns 0.
LRESULT OnWindowPosChanging(HWND window, LPARAM lParam);
