// The mouse on the main window: dragging by the background and the right-click popup menu.
#pragma once

#include <windows.h>

LRESULT OnNcHitTest(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnNcRButtonDown();
LRESULT OnNcRButtonUp(HWND window, LPARAM lParam);
// The popup menu with its top-left corner at screen point (x, y), for the mouse and the keys.
void OpenPopupMenu(HWND window, int x, int y);
LRESULT OnExitMenuLoop(WPARAM isPopup);
