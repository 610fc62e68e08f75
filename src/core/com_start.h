// COM, started on the UI thread only when something needs it: the screen reader's view of the
// readout (at a reader's first request) and the countdown's progress on the taskbar button (at
// the first countdown start). ole32 is not one of the DLLs Windows always takes from the system
// folder, so it is loaded from there by its full path and never imported: a user who only keeps
// the clock loads none of it and pays no memory for it.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <objbase.h>

// Loads ole32 and initialises COM, apartment-threaded, on the calling thread; later calls return
// the first one's answer. Only the UI thread calls it, since every COM object the program makes
// lives there. False where ole32 cannot be loaded or COM not initialised: the caller then goes
// on without what it wanted.
bool StartComOnUiThread();

// CoCreateInstance of an in-process object through the loaded ole32; E_FAIL before a
// successful StartComOnUiThread.
HRESULT CreateComObject(REFCLSID classId, REFIID interfaceId, void** object);

// Whether COM has been started in this process (ole32 is loaded only then).
bool ComStarted();
