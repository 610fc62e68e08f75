#pragma once

#include <windows.h>

// Installed on every control: Tab and the arrow keys go to the main window first (focus cycling
// and edge snapping work whichever control has the focus), then, like every other message, to
// the button's own procedure.
LRESULT CALLBACK ChildKeyForwarder(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool IsForwardedKey(WPARAM key);
