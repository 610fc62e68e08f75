// The countdown settings dialog (template 103).
#pragma once

#include <windows.h>

#include "timer_types.h"

INT_PTR CALLBACK CountdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Enables the six controls of the row of `kind` and disables the other row's six.
void EnableCountdownRows(HWND dialog, CountdownKind kind);
