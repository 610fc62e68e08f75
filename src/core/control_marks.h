// The marks that show a flag of the timer state in the controls and the popup menu. The
// controls, the commands and the window all set them, so they sit below all three.
#pragma once

#include <windows.h>

// A check box's or radio button's check.
void SetCheck(HWND control, bool checked);

// Entries are disabled with MF_DISABLED, never MF_GRAYED: the menu shows them in normal text.
void EnableMenuEntry(UINT id, bool enabled);

// A check mark that mirrors a flag of the timer state.
void CheckMenuEntry(UINT id, bool checked);
