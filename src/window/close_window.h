// Closing: every way out comes here, and a running or paused timer asks first.
#pragma once

#include <windows.h>

LRESULT OnClose(HWND window);

// The window is gone: releases the paint handler's bitmap, ends the worker and the message loop.
void OnDestroy();
