// The mouse on the main window: dragging by the background and the right-click popup menu.
#pragma once

#include <windows.h>

LRESULT OnNcHitTest(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnNcRButtonDown();
LRESULT OnNcRButtonUp(HWND window, LPARAM lParam);
LRESULT OnExitMenuLoop(WPARAM isPopup);
