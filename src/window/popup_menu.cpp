#include "popup_menu.h"

#include "resource_ids.h"
#include "timer_state.h"

namespace {

void AppendEntry(HMENU menu, UINT id, const wchar_t* caption, bool checked) {
    AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : 0), id, caption);
}

void AppendSeparator(HMENU menu) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

}  // namespace

HMENU BuildPopupMenu() {
    HMENU menu = CreatePopupMenu();
    const TimerMode mode = timerState.mode;
    AppendEntry(menu, IDM_CLOCK_MODE, L"时钟模式", mode == TimerMode::Clock);
    AppendEntry(menu, IDM_STOPWATCH_MODE, L"秒表模式", mode == TimerMode::Stopwatch);
    AppendEntry(menu, IDM_COUNTDOWN_MODE, L"倒计时模式", mode == TimerMode::Countdown);
    AppendSeparator(menu);
    AppendEntry(menu, IDM_START, L"开始", false);
    AppendEntry(menu, IDM_RESET, L"重置", false);
    AppendSeparator(menu);
    AppendEntry(menu, IDM_MILLISECONDS, L"毫秒", timerState.showMilliseconds);
    AppendEntry(menu, IDM_ALWAYS_ON_TOP, L"最上", timerState.alwaysOnTop);
    AppendSeparator(menu);
    AppendEntry(menu, IDM_COMPACT, L"精简模式", timerState.compactMode);
    AppendEntry(menu, IDM_EXIT, L"退出", false);
    AppendSeparator(menu);
    AppendEntry(menu, IDM_GUIDE, L"使用指南", false);
    AppendEntry(menu, IDM_CONTACT, L"联系作者", false);
    return menu;
}
