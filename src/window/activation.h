// The main window while a modal window (the guide, a dialog, the close question) has disabled it.
#pragma once

#include <windows.h>

// WM_ACTIVATE: the tick worker raises the window and brings it to the foreground from its own
// thread, and such a call can land after a modal window has disabled the main window (the
// worker's check of the enabled state comes before it). Activated while disabled, the main
// window hands the activation on to the modal window, which keeps the keyboard; otherwise the
// default processing. Returns 0.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam);
