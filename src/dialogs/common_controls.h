// comctl32, loaded from the system folder when the settings dialog first opens, not at start-up:
// loaded early it keeps about 3 MB resident (its code and every class it registers) in runs that
// never open the dialog.
#pragma once

#include <windows.h>

// Registers the up-down class of the dialog's spinners; call before the dialog is created.
void RegisterSpinnerClass();

// From now on full-width digits typed into `edit` reach it as the ASCII digits they stand for.
// After RegisterSpinnerClass, which loads the library; where it lacks the helpers, nothing.
void FoldDigitsAsTyped(HWND edit);
