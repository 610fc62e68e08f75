// The arrow keys move the window flush against the primary screen's edges.
#pragma once

#include <windows.h>

// VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN; returns 0.
LRESULT OnArrowKey(WPARAM key);
