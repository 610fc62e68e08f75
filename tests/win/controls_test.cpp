// The controls, the popup menu and the key forwarding that window creation sets up.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "resource_ids.h"
#include "test_support.h"

namespace {

struct ControlSpec {
    HWND* handle;
    const wchar_t* caption;
    int id;
    LONG style;  // as created, before the start-up state changes it
    RECT rect;   // client coordinates of the main window
};

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST(Controls, EachHasItsClassIdCaptionStyleRectangleAndFont) {
    TimerWindow();
    const LONG child = WS_CHILD | WS_VISIBLE;
    const ControlSpec specs[] = {
        // A checked radio button gets WS_TABSTOP from the button class itself.
        {&timerState.clockRadio,
         L"时钟",
         10011,
         child | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
         {1, 2, 52, 28}},
        {&timerState.stopwatchRadio, L"秒表", 10007, child | BS_AUTORADIOBUTTON, {54, 2, 105, 28}},
        {&timerState.countdownRadio,
         L"倒计时",
         10008,
         child | BS_AUTORADIOBUTTON,
         {107, 2, 175, 28}},
        {&timerState.setButton, L"共00:05:00", 10006, WS_CHILD | BS_PUSHBUTTON, {175, 2, 260, 28}},
        {&timerState.topCheck, L"最上", 10004, child | BS_AUTOCHECKBOX, {324, 2, 376, 28}},
        {&timerState.msCheck,
         L"毫秒",
         10005,
         child | WS_TABSTOP | BS_AUTOCHECKBOX,
         {268, 2, 320, 28}},
        {&timerState.startButton,
         L"开始",
         10001,
         child | WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON,
         {3, 88, 101, 114}},
        {&timerState.resetButton,
         L"重置",
         10003,
         child | WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON,
         {105, 88, 203, 114}},
    };
    for (const ControlSpec& spec : specs) {
        HWND control = *spec.handle;
        SCOPED_TRACE(spec.id);
        ASSERT_NE(control, nullptr);
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        EXPECT_STREQ(className, L"Button");
        EXPECT_EQ(GetParent(control), timerState.mainWindow);
        EXPECT_EQ(GetDlgCtrlID(control), spec.id);
        EXPECT_EQ(WindowText(control), spec.caption);
        EXPECT_EQ(GetWindowLongW(control, GWL_STYLE), spec.style);
        EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
        const RECT rect = ClientRectOf(control);
        EXPECT_TRUE(EqualRect(&rect, &spec.rect))
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;

        LOGFONTW font = {};
        HFONT handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(handle, nullptr);
        GetObjectW(handle, sizeof font, &font);
        EXPECT_EQ(font.lfHeight, 22);
        EXPECT_STREQ(font.lfFaceName, L"微软雅黑");
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    }
    EXPECT_EQ(SendMessageW(timerState.clockRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(timerState.stopwatchRadio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(timerState.countdownRadio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(timerState.topCheck, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(timerState.msCheck, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowVisible(timerState.setButton));
    EXPECT_FALSE(IsWindowEnabled(timerState.startButton));
    EXPECT_FALSE(IsWindowEnabled(timerState.resetButton));
    // Creation hands the focus to the start button, which is disabled and cannot take it: the
    // timer starts with the focus on the main window itself.
    EXPECT_EQ(GetFocus(), timerState.mainWindow);
}

TEST(Controls, TheTargetCaptionIsTheGbkByteStringOnCodePage936) {
    TimerWindow();
    ASSERT_EQ(GetACP(), 936u) << "the tests run with a GBK ANSI code page";
    char caption[64] = {};
    GetWindowTextA(timerState.setButton, caption, sizeof caption);
    EXPECT_STREQ(caption,
                 "\xB9\xB2"
                 "00:05:00");
}

TEST(Controls, TheWindowIsTopmost) {
    HWND window = TimerWindow();
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(PopupMenu, ElevenEntriesFourSeparatorsWithChecksAndDisabledNotGrayed) {
    TimerWindow();
    struct Entry {
        UINT id;
        const wchar_t* caption;
        UINT state;
    };
    const UINT separator = 0xFFFFFFFF;
    const Entry entries[] = {
        {32771, L"时钟模式", MF_CHECKED}, {32776, L"秒表模式", 0},
        {32775, L"倒计时模式", 0},        {separator, nullptr, 0},
        {32777, L"开始", MF_DISABLED},    {32778, L"重置", MF_DISABLED},
        {separator, nullptr, 0},          {32779, L"毫秒", 0},
        {32772, L"最上", MF_CHECKED},     {separator, nullptr, 0},
        {32780, L"精简模式", 0},          {32781, L"退出", 0},
        {separator, nullptr, 0},          {32773, L"使用指南", 0},
        {32774, L"联系作者", 0},
    };
    HMENU menu = timerState.popupMenu;
    ASSERT_EQ(GetMenuItemCount(menu), 15);
    for (int position = 0; position < 15; ++position) {
        const Entry& entry = entries[position];
        SCOPED_TRACE(position);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
        if (entry.id == separator) {
            EXPECT_NE(info.fType & MFT_SEPARATOR, 0u);
            EXPECT_EQ(info.wID, 0u);
            continue;
        }
        EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u);
        EXPECT_EQ(info.wID, entry.id);
        EXPECT_EQ(MenuText(entry.id), entry.caption);
        const UINT state = MenuState(entry.id);
        EXPECT_EQ(state & (MF_CHECKED | MF_DISABLED | MF_GRAYED), entry.state)
            << "disabled entries carry MF_DISABLED without MF_GRAYED";
    }
}

TEST(Controls, TabOrderAndTheButtonProcedure) {
    TimerWindow();
    const std::vector<HWND> expected = {timerState.startButton,    timerState.resetButton,
                                        timerState.clockRadio,     timerState.stopwatchRadio,
                                        timerState.countdownRadio, timerState.setButton,
                                        timerState.msCheck,        timerState.topCheck};
    EXPECT_EQ(timerState.tabOrder, expected);
    WNDCLASSW buttonClass = {};
    ASSERT_TRUE(GetClassInfoW(nullptr, L"Button", &buttonClass));
    EXPECT_EQ(timerState.buttonProc, buttonClass.lpfnWndProc);
}

namespace {

std::vector<std::pair<char, WPARAM>> keyLog;  // 'm' main window, 'b' button procedure
WNDPROC realButtonProc;

LRESULT CALLBACK RecordingButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) keyLog.push_back({'b', wParam});
    return CallWindowProcW(realButtonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK RecordMainWindowKeys(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == timerState.mainWindow && call->message == WM_KEYDOWN)
        keyLog.push_back({'m', call->wParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(Controls, TabAndArrowsReachTheMainWindowThenTheControl) {
    TimerWindow();
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, RecordMainWindowKeys, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    realButtonProc = timerState.buttonProc;
    timerState.buttonProc = RecordingButtonProc;

    for (HWND control : timerState.tabOrder) {
        SCOPED_TRACE(GetDlgCtrlID(control));
        for (WPARAM key : {VK_TAB, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
            keyLog.clear();
            SendMessageW(control, WM_KEYDOWN, key, 0);
            const std::vector<std::pair<char, WPARAM>> expected = {{'m', key}, {'b', key}};
            EXPECT_EQ(keyLog, expected);
        }
        // Other keys, and Alt combinations, stay with the control.
        keyLog.clear();
        SendMessageW(control, WM_KEYDOWN, 'A', 0);
        SendMessageW(control, WM_SYSKEYDOWN, VK_LEFT, 0);
        const std::vector<std::pair<char, WPARAM>> onlyButton = {{'b', 'A'}, {'b', VK_LEFT}};
        EXPECT_EQ(keyLog, onlyButton);
    }
    timerState.buttonProc = realButtonProc;
    UnhookWindowsHookEx(hook);
}
