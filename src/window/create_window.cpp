#include "create_window.h"

#include "config_file.h"
#include "control_focus.h"
#include "key_forwarder.h"
#include "popup_menu.h"
#include "resource_ids.h"
#include "target_caption.h"
#include "timer_state.h"

namespace {

HWND CreateButton(HWND parent, const wchar_t* caption, int id, DWORD style, int x, int y, int width,
                  int height) {
    return CreateWindowExW(0, L"Button", caption, WS_CHILD | WS_VISIBLE | style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           timerState.instance, nullptr);
}

void SetCheck(HWND control, bool checked) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HFONT CreateWindowFont(int height, const wchar_t* face) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

void CreateModeControls(HWND window) {
    timerState.clockRadio =
        CreateButton(window, L"时钟", IDC_CLOCK_RADIO, WS_GROUP | BS_AUTORADIOBUTTON, 1, 2, 51, 26);
    SetCheck(timerState.clockRadio, true);
    timerState.stopwatchRadio =
        CreateButton(window, L"秒表", IDC_STOPWATCH_RADIO, BS_AUTORADIOBUTTON, 54, 2, 51, 26);
    timerState.countdownRadio =
        CreateButton(window, L"倒计时", IDC_COUNTDOWN_RADIO, BS_AUTORADIOBUTTON, 107, 2, 68, 26);
    timerState.setButton =
        CreateButton(window, L"设定", IDC_SET_BUTTON, BS_PUSHBUTTON, 175, 2, 85, 26);
}

void CreateOptionChecks(HWND window) {
    // The check boxes sit against the right edge: their x follows the window's outer width.
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    timerState.topCheck =
        CreateButton(window, L"最上", IDC_TOP_CHECK, BS_AUTOCHECKBOX, width - 72, 2, 52, 26);
    SetCheck(timerState.topCheck, timerState.alwaysOnTop);
    timerState.msCheck = CreateButton(window, L"毫秒", IDC_MS_CHECK, WS_TABSTOP | BS_AUTOCHECKBOX,
                                      width - 128, 2, 52, 26);
    SetCheck(timerState.msCheck, timerState.showMilliseconds);
}

void CreateRunButtons(HWND window) {
    timerState.startButton =
        CreateButton(window, L"开始", IDC_START_BUTTON, WS_TABSTOP | BS_PUSHBUTTON, 3, 88, 98, 26);
    timerState.resetButton = CreateButton(window, L"重置", IDC_RESET_BUTTON,
                                          WS_TABSTOP | BS_PUSHBUTTON, 105, 88, 98, 26);
}

void CreateFonts() {
    timerState.displayFont = CreateWindowFont(52, L"DEDOziv2");
    HFONT controlFont = CreateWindowFont(22, L"微软雅黑");
    for (HWND control : {timerState.clockRadio, timerState.stopwatchRadio,
                         timerState.countdownRadio, timerState.setButton, timerState.startButton,
                         timerState.resetButton, timerState.topCheck, timerState.msCheck})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), TRUE);
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

void RefreshTargetCaption() {
    const CountdownKind kind = timerState.countdownKind;
    const uint32_t seconds = kind == CountdownKind::UntilTime
                                 ? timerState.countdownToTime.load()
                                 : timerState.countdownFixSeconds.load();
    HWND button = timerState.setButton;
    if (GetACP() == 936) {
        char caption[kTargetCaptionSize];
        FormatTargetCaptionGbk(caption, kind, seconds);
        SetWindowTextA(button, caption);
        return;
    }
    char time[kTargetCaptionSize];
    FormatTargetCaptionTime(time, seconds);
    wchar_t caption[kTargetCaptionSize] = {static_cast<wchar_t>(TargetCaptionCharacter(kind))};
    for (int i = 0; time[i]; ++i) caption[i + 1] = static_cast<wchar_t>(time[i]);
    SetWindowTextW(button, caption);
}

LRESULT OnCreate(HWND window) {
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
    CreateFonts();
    FillTabOrder();
    SubclassControls();
    SetFocus(timerState.startButton);
    return 0;
}
