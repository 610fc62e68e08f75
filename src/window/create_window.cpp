#include "create_window.h"

#include "button_captions.h"
#include "config_file.h"
#include "control_focus.h"
#include "control_marks.h"
#include "display_dpi.h"
#include "fonts.h"
#include "key_forwarder.h"
#include "popup_menu.h"
#include "resource_ids.h"
#include "taskbar_progress.h"
#include "timer_state.h"

namespace {

// The eight controls, in creation order (the order of their slots): where each is kept, its
// caption, id and style. Creation, placement and the fonts all read this one table.
struct ControlRow {
    HWND TimerState::*handle;
    const wchar_t* caption;
    int id;
    DWORD style;
    ControlSlot slot;
};
constexpr ControlRow kControls[] = {
    {&TimerState::clockRadio, L"时钟", IDC_CLOCK_RADIO, WS_GROUP | BS_AUTORADIOBUTTON,
     ControlSlot::ClockRadio},
    {&TimerState::stopwatchRadio, L"秒表", IDC_STOPWATCH_RADIO, BS_AUTORADIOBUTTON,
     ControlSlot::StopwatchRadio},
    {&TimerState::countdownRadio, L"倒计时", IDC_COUNTDOWN_RADIO, BS_AUTORADIOBUTTON,
     ControlSlot::CountdownRadio},
    {&TimerState::setButton, L"设定", IDC_SET_BUTTON, BS_PUSHBUTTON, ControlSlot::SetButton},
    {&TimerState::topCheck, L"最上", IDC_TOP_CHECK, BS_AUTOCHECKBOX, ControlSlot::TopCheck},
    {&TimerState::msCheck, L"毫秒", IDC_MS_CHECK, WS_TABSTOP | BS_AUTOCHECKBOX,
     ControlSlot::MsCheck},
    {&TimerState::startButton, L"开始", IDC_START_BUTTON, WS_TABSTOP | BS_PUSHBUTTON,
     ControlSlot::StartButton},
    {&TimerState::resetButton, L"重置", IDC_RESET_BUTTON, WS_TABSTOP | BS_PUSHBUTTON,
     ControlSlot::ResetButton},
};
static_assert(sizeof kControls / sizeof kControls[0] == kControlCount, "one row per slot");

// The rows whose slots run from `first` to `last`, created as buttons at their layout places.
void CreateControls(HWND window, ControlSlot first, ControlSlot last) {
    // The check boxes sit against the right edge: their x follows the window's outer width.
    RECT frame;
    GetWindowRect(window, &frame);
    for (const ControlRow& row : kControls) {
        if (row.slot < first || row.slot > last) continue;
        const PixelRect box = ControlRect(timerState.layout, row.slot, frame.right - frame.left);
        timerState.*row.handle = CreateWindowExW(
            0, L"Button", row.caption, WS_CHILD | WS_VISIBLE | row.style, box.left, box.top,
            box.right - box.left, box.bottom - box.top, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), timerState.instance, nullptr);
    }
}

void CreateModeControls(HWND window) {
    CreateControls(window, ControlSlot::ClockRadio, ControlSlot::SetButton);
    SetCheck(timerState.clockRadio, true);
}

void CreateOptionChecks(HWND window) {
    CreateControls(window, ControlSlot::TopCheck, ControlSlot::MsCheck);
    SetCheck(timerState.topCheck, timerState.alwaysOnTop);
    SetCheck(timerState.msCheck, timerState.showMilliseconds);
}

void CreateRunButtons(HWND window) {
    CreateControls(window, ControlSlot::StartButton, ControlSlot::ResetButton);
}

void FillTabOrder() {
    timerState.tabOrder = {timerState.startButton,    timerState.resetButton,
                           timerState.clockRadio,     timerState.stopwatchRadio,
                           timerState.countdownRadio, timerState.setButton,
                           timerState.msCheck,        timerState.topCheck};
}

void SubclassControls() {
    // All eight are buttons, so the start button's class procedure is every control's.
    timerState.buttonProc =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(timerState.startButton, GWLP_WNDPROC));
    for (HWND control : timerState.tabOrder)
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildKeyForwarder));
}

}  // namespace

void ApplyLayoutFonts() {
    const ScaledLayout& layout = timerState.layout;
    HFONT oldDisplay = timerState.displayFont;
    HFONT oldControl = timerState.controlFont;
    timerState.displayFont = CreateFaceFont(layout.readoutFontHeight, kLcdFace);
    timerState.controlFont = CreateFaceFont(layout.controlFontHeight, kControlFace);
    for (const ControlRow& row : kControls)
        SendMessageW(timerState.*row.handle, WM_SETFONT,
                     reinterpret_cast<WPARAM>(timerState.controlFont), TRUE);
    // The controls hold the new one now, and the paint handler selects the readout font only
    // while it paints.
    if (oldDisplay) DeleteObject(oldDisplay);
    if (oldControl) DeleteObject(oldControl);
}

void FitWindowToLayout(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    const ScaledLayout& layout = timerState.layout;
    if (frame.right - frame.left == layout.windowWidth &&
        frame.bottom - frame.top == layout.windowHeight)
        return;
    SetWindowPos(window, nullptr, 0, 0, layout.windowWidth, layout.windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControls(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    for (const ControlRow& row : kControls) {
        const PixelRect box = ControlRect(timerState.layout, row.slot, width);
        SetWindowPos(timerState.*row.handle, nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT OnCreate(HWND window) {
    // The window was made at the system's scale; its own display may have another.
    SetLayout(ScaleLayout(WindowDpi(window)));
    FitWindowToLayout(window);
    timerState.popupMenu = BuildPopupMenu();
    CreateModeControls(window);
    LoadConfiguration();
    RefreshTargetCaption();
    ShowControl(timerState.setButton, false);
    CreateOptionChecks(window);
    CreateRunButtons(window);
    // Topmost from the start, whatever alwaysOnTop says (it is true at creation).
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    EnableControl(timerState.startButton, false);
    EnableControl(timerState.resetButton, false);
    EnableMenuEntry(IDM_START, false);
    EnableMenuEntry(IDM_RESET, false);
    ApplyLayoutFonts();
    FillTabOrder();
    SubclassControls();
    SetFocus(timerState.startButton);
    // Before the window is shown, which is when the shell makes its button.
    PrepareTaskbarButton(window);
    return 0;
}
