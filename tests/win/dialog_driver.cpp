#include "dialog_driver.h"

#include <gtest/gtest.h>

#include "common_controls.h"
#include "timer_state.h"

namespace {

struct Script {
    std::vector<DialogStep> steps;
    size_t next = 0;
    HWND dialog = nullptr;
    UINT_PTR timer = 0;
};
Script* running = nullptr;

constexpr UINT kWatchdogMs = 10000;

BOOL CALLBACK KeepIfDialog(HWND window, LPARAM result) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// The one dialog of this thread: the modal one just opened.
HWND FindOpenDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepIfDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    Script& script = *running;
    if (!script.dialog) script.dialog = FindOpenDialog();
    // The template has no WS_VISIBLE: the modal loop shows the dialog once its queue is empty,
    // which may be after this timer's first turn.
    if (!script.dialog || !IsWindowVisible(script.dialog)) {
        script.timer = SetTimer(nullptr, 0, 10, RunNextStep);
        return;
    }
    if (script.next == script.steps.size()) {
        ADD_FAILURE() << "the dialog was still open " << kWatchdogMs << " ms after the last step";
        EndDialog(script.dialog, 0);
        return;
    }
    const DialogStep& step = script.steps[script.next++];
    step.action(script.dialog);
    if (!IsWindow(script.dialog)) return;
    const UINT delay =
        script.next < script.steps.size() ? script.steps[script.next].delayMs : kWatchdogMs;
    script.timer = SetTimer(nullptr, 0, delay, RunNextStep);
}

}  // namespace

INT_PTR RunDialog(int id, DLGPROC procedure, std::vector<DialogStep> steps) {
    Script script;
    script.steps = std::move(steps);
    running = &script;
    script.timer =
        SetTimer(nullptr, 0, script.steps.empty() ? 0 : script.steps[0].delayMs, RunNextStep);
    RegisterSpinnerClass();  // as the program does before it opens the settings dialog
    const INT_PTR result = DialogBoxParamW(timerState.instance, MAKEINTRESOURCEW(id),
                                           timerState.mainWindow, procedure, 0);
    KillTimer(nullptr, script.timer);
    EXPECT_NE(script.dialog, nullptr) << "the dialog never came up";
    EXPECT_EQ(script.next, script.steps.size()) << "the dialog ended before its last step";
    running = nullptr;
    return result;
}

INT_PTR RunDialog(int id, DLGPROC procedure, std::function<void(HWND dialog)> action) {
    return RunDialog(id, procedure, std::vector<DialogStep>{{1, std::move(action)}});
}

void ClickAt(HWND control, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(control, WM_LBUTTONUP, 0, point);
}

void ClickButton(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

void SetFieldText(HWND dialog, int id, const char* text) {
    SetWindowTextA(GetDlgItem(dialog, id), text);
}

std::string EditText(HWND dialog, int id) {
    char text[200] = {};
    GetWindowTextA(GetDlgItem(dialog, id), text, 200);
    return text;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}
