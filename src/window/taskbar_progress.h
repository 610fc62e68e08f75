// The countdown's bar on the taskbar button. UI thread only: the taskbar list is an
// apartment-threaded COM object made there.
#pragma once

#include <windows.h>

// At window creation: learns the number of the shell's "TaskbarButtonCreated" message and lets it
// through to an elevated program. Loads nothing.
void PrepareTaskbarButton(HWND window);

// Whether `message` is the shell's registered "TaskbarButtonCreated".
bool IsTaskbarButtonCreated(UINT message);

// The button exists (again, when Explorer has restarted): once COM is up, the old list goes, a new
// one is taken and shows the current state at once.
LRESULT OnTaskbarButtonCreated(HWND window);

// WM_APP_PROGRESS_DUE: brings the bar up to date. The first countdown start starts COM and takes
// the list; until then, and wherever the list cannot be made, nothing is called.
LRESULT OnProgressDue(HWND window);
