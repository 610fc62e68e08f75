// Closing: every way out comes here, and a running or paused timer asks first.
#pragma once

#include <windows.h>

LRESULT OnClose(HWND window);
