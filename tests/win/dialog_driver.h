// Runs a modal dialog for real (DialogBoxParamW on the UI thread) and drives it from inside its
// own modal loop: each step is a thread-timer callback that the dialog's loop dispatches.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct DialogStep {
    UINT delayMs;  // after the dialog is up, or after the step before
    std::function<void(HWND dialog)> action;
};

// Opens template `id` owned by the main window and runs the steps in order. A dialog still open
// 10 s after the last step is ended (with a test failure). Returns DialogBoxParamW's result.
INT_PTR RunDialog(int id, DLGPROC procedure, std::vector<DialogStep> steps);
INT_PTR RunDialog(int id, DLGPROC procedure, std::function<void(HWND dialog)> action);

// A left click (down and up) at a client point of a control, as the mouse would deliver it.
void ClickAt(HWND control, int x, int y);
// A click on a button, through the button's own mouse handling.
void ClickButton(HWND dialog, int id);
// Sets a field's text with the byte-string call, as the dialog does.
void SetFieldText(HWND dialog, int id, const char* text);
std::string EditText(HWND dialog, int id);
// Posts a key press to the focused window, through the dialog's modal loop.
void PostKey(HWND target, WPARAM key);
