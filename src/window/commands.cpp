#include "commands.h"

#include "command_rules.h"
#include "compact_mode.h"
#include "contact_dialog.h"
#include "control_marks.h"
#include "countdown_dialog.h"
#include "mode_control.h"
#include "resource_ids.h"
#include "run_control.h"
#include "timer_state.h"

namespace {

// Six lines, each ended by a line feed; the indented lines carry nine spaces.
const wchar_t kGuideText[] =
    L"\u00B7 倒计时可设置两种模式\uFF1A\n"
    L"         定时长 - 如倒计时5分钟\n"
    L"         至绝对时间 - 如倒计时至19点30分\n"
    L"\u00B7 点击窗口任意位置可拖动窗口\n"
    L"\u00B7 双击可进入或退出精简显示模式\n"
    L"\u00B7 上下左右键可迅速移动窗口到屏幕边缘\n";

// The band, the menu's check mark and (from the menu) the check box follow the flag; the check
// box toggles itself when it is the source.
void ToggleAlwaysOnTop(HWND window, bool fromMenu) {
    const bool onTop = !timerState.alwaysOnTop;
    timerState.alwaysOnTop = onTop;
    if (fromMenu) SetCheck(timerState.topCheck, onTop);
    SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    CheckMenuEntry(IDM_ALWAYS_ON_TOP, onTop);
}

HWND RadioOf(TimerMode mode) {
    switch (mode) {
        case TimerMode::Stopwatch:
            return timerState.stopwatchRadio;
        case TimerMode::Countdown:
            return timerState.countdownRadio;
        case TimerMode::Clock:
            break;
    }
    return timerState.clockRadio;
}

void RunDialog(HWND window, int templateId, DLGPROC procedure) {
    DialogBoxParamW(timerState.instance, MAKEINTRESOURCEW(templateId), window, procedure, 0);
}

}  // namespace

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const CommandRoute route = RouteCommand(LOWORD(wParam));
    switch (route.action) {
        case CommandAction::StartPauseResume:
            StartPauseResume();
            return 0;
        case CommandAction::Reset:
            ResetTimer();
            return 0;
        case CommandAction::SwitchModeIfChecked:
            if (SendMessageW(RadioOf(route.mode), BM_GETCHECK, 0, 0) != 0) SwitchMode(route.mode);
            return 0;
        case CommandAction::SwitchMode:
            SwitchMode(route.mode);
            return 0;
        case CommandAction::ToggleMilliseconds:
            ToggleMilliseconds();
            return 0;
        case CommandAction::TopFromCheck:
            ToggleAlwaysOnTop(window, false);
            return 0;
        case CommandAction::TopFromMenu:
            ToggleAlwaysOnTop(window, true);
            return 0;
        case CommandAction::CountdownDialog:
            OpenCountdownSettings(window);
            return 0;
        case CommandAction::ContactDialog:
            RunDialog(window, IDD_CONTACT, ContactDialogProc);
            return 0;
        case CommandAction::Guide:
            MessageBoxW(window, kGuideText, L"使用指南", MB_OK);
            return 0;
        case CommandAction::CompactFromMenu:
            ToggleCompactFromMenu();
            return 0;
        case CommandAction::Exit:
            SendMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        case CommandAction::Unhandled:
            break;
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}
