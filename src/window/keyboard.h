// Keys that reach the main window, itself focused or forwarded from a control.
#pragma once

#include <windows.h>

// Tab cycles the focus, Space returns it to the start button, the arrow keys snap the window;
// every other key does nothing. Returns 0.
LRESULT OnKeyDown(WPARAM key);
