// The popup menu from the keyboard: Shift+F10 and the context-menu key.
#pragma once

#include <windows.h>

LRESULT OnContextMenu(HWND window, LPARAM lParam);
