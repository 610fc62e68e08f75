// Disabling or hiding the control that has the keyboard focus leaves no window with the focus:
// the keys then reach the window as system keys and Tab, Space and the arrows stop working. Every
// control the program disables or hides goes through these two calls.
#pragma once

#include <windows.h>

// Like EnableWindow. Before a control that has the focus is disabled, the focus moves to the
// start button if it stays enabled and visible, otherwise to the main window.
void EnableControl(HWND control, bool enabled);

// Like ShowWindow with SW_SHOW or SW_HIDE, moving the focus the same way before a hide.
void ShowControl(HWND control, bool shown);
