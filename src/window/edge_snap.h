// The arrow keys move the window flush against the edges of the monitor that holds it (the whole
// monitor, not its work area).
#pragma once

#include <windows.h>

// VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN; returns 0.
LRESULT OnArrowKey(WPARAM key);
