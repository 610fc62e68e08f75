// WM_COMMAND: the buttons, radio buttons, check boxes and popup entries.
#pragma once

#include <windows.h>

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
