// The readout for screen readers. The window paints the time itself, so the system's view of
// the client area has the controls and nothing for the time: the client object answered here is
// the system's own with the readout added before the controls, as a clock element whose value is
// the text on the screen.
#pragma once

#include <windows.h>

// WM_GETOBJECT. For OBJID_CLIENT, the client object, made at the first request (which loads the
// accessibility libraries and starts COM on this thread); every other object id, and a request
// that cannot be served, goes to DefWindowProc, so clients fall back on the system's view.
LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// The window is going: clients that still hold the object get CO_E_OBJNOTCONNECTED from then on
// instead of a view of a window that no longer exists.
void DisconnectReadoutAccessible();
