// The countdown settings dialog (template 103).
#pragma once

#include <windows.h>

#include "timer_types.h"

// Registers the common-controls class of the dialog's spinners; call before the dialog is
// created. The library is loaded then, on the first opening, not at start-up: loaded early it
// keeps about 3 MB resident (its code and every class it registers) in runs that never open the
// dialog.
void RegisterSpinnerClass();

INT_PTR CALLBACK CountdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Enables the six controls of the row of `kind` and disables the other row's six.
void EnableCountdownRows(HWND dialog, CountdownKind kind);
