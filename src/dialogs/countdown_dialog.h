// The countdown settings dialog (template 103).
#pragma once

#include <windows.h>

#include "timer_types.h"

// The dialog's result when OK was pressed but cfg.ini could not be written.
constexpr INT_PTR kOkNotSaved = 3;

// Opens the dialog owned by `owner` (the main window). When OK could not save the settings, a
// warning follows once the dialog has closed: the new values hold only until the program ends.
void OpenCountdownSettings(HWND owner);

INT_PTR CALLBACK CountdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Enables the six controls of the row of `kind` and disables the other row's six.
void EnableCountdownRows(HWND dialog, CountdownKind kind);
