// The popup menu: where it opens, the flag its loop keeps, and a guide chosen from it keeping the
// keyboard while the worker raises the window, on the real window.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "command_fixture.h"
#include "modal_watch.h"
#include "time_source.h"

namespace {

struct MenuWatch {
    DWORD uiThread;
    std::atomic<bool> returned{false};
    bool menuShown = false;
    bool flagWhileShown = false;
    RECT menuRect = {};
    int upPresses = 0;  // 0: Esc without a choice; otherwise that many Up presses, then Enter
};

// Each key is given time to reach the menu's loop before the next.
constexpr DWORD kKeySettleMs = 50;

DWORD WINAPI WatchMenu(LPVOID parameter) {
    MenuWatch& watch = *static_cast<MenuWatch*>(parameter);
    HWND menu = AwaitPopupMenu(watch.uiThread, &watch.returned);
    if (!menu) return 0;
    watch.menuShown = true;
    watch.flagWhileShown = timerState.menuOpen;
    GetWindowRect(menu, &watch.menuRect);
    if (watch.upPresses == 0) PressKey(VK_ESCAPE, kKeySettleMs);
    for (int press = 0; press < watch.upPresses; ++press) PressKey(VK_UP, kKeySettleMs);
    if (watch.upPresses) PressKey(VK_RETURN, kKeySettleMs);
    // Still open (the keys went elsewhere): close it so that the test fails instead of hanging.
    for (int attempt = 0; attempt < 100 && !watch.returned; ++attempt) Sleep(10);
    if (!watch.returned) PostMessageW(timerState.mainWindow, WM_CANCELMODE, 0, 0);
    return 0;
}

// Right-clicks at client point (x, y) as the system reports it to the window, and lets the
// watcher answer the menu.
void RightClickMenu(MenuWatch& watch, int x, int y) {
    watch.uiThread = GetCurrentThreadId();
    HANDLE watcher = CreateThread(nullptr, 0, WatchMenu, &watch, 0, nullptr);
    POINT point = {x, y};
    ClientToScreen(TimerWindow(), &point);
    SendMessageW(TimerWindow(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(point.x, point.y));
    watch.returned = true;
    WaitForSingleObject(watcher, 5000);
    CloseHandle(watcher);
    PumpMessages();  // the chosen entry arrives as a posted WM_COMMAND
}

}  // namespace

TEST_F(Commands, ThePopupMenuOpensAtTheCursorAndMenuOpenFollowsItsLoop) {
    ASSERT_FALSE(timerState.menuOpen);
    MenuWatch dismissed;
    RightClickMenu(dismissed, 200, 60);
    ASSERT_TRUE(dismissed.menuShown) << "no popup menu";
    EXPECT_TRUE(dismissed.flagWhileShown);
    POINT corner = {200, 60};
    ClientToScreen(TimerWindow(), &corner);
    EXPECT_EQ(dismissed.menuRect.left, corner.x);
    EXPECT_EQ(dismissed.menuRect.top, corner.y);
    EXPECT_FALSE(timerState.menuOpen) << "still set after the menu closed without a choice";
    ExpectTopInLine(true);

    // Up from the bottom: 联系作者, 使用指南, 退出, 精简模式, 最上.
    MenuWatch chosen;
    chosen.upPresses = 5;
    RightClickMenu(chosen, 40, 120);
    ASSERT_TRUE(chosen.menuShown);
    EXPECT_TRUE(chosen.flagWhileShown);
    EXPECT_FALSE(timerState.menuOpen) << "still set after an entry was chosen";
    ExpectTopInLine(false);
    Command(IDM_ALWAYS_ON_TOP);
    ExpectTopInLine(true);
}

TEST_F(Commands, ShiftF10AndTheContextMenuKeyOpenThePopupMenuAtTheReadoutsCentre) {
    const std::vector<WORD> sequences[] = {{VK_SHIFT, VK_F10}, {VK_APPS}};
    for (const std::vector<WORD>& keys : sequences) {
        SCOPED_TRACE(keys.back());
        SetForegroundWindow(TimerWindow());
        SetFocus(timerState.startButton);
        PumpMessages();
        MenuWatch watch;
        watch.uiThread = GetCurrentThreadId();
        HANDLE watcher = CreateThread(nullptr, 0, WatchMenu, &watch, 0, nullptr);
        std::vector<INPUT> input(keys.size() * 2);
        for (size_t i = 0; i < keys.size(); ++i) {
            input[i].type = input[input.size() - 1 - i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys[i];
            input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
        // The menu's loop runs in here; the watcher closes it with Esc.
        PumpUntil([&] { return watch.menuShown && !timerState.menuOpen; }, 4000);
        watch.returned = true;
        WaitForSingleObject(watcher, 5000);
        CloseHandle(watcher);
        PumpMessages();
        ASSERT_TRUE(watch.menuShown) << "no popup menu";
        EXPECT_TRUE(watch.flagWhileShown);  // the keeper holds back while it is open
        POINT centre = {190, 57};
        ClientToScreen(TimerWindow(), &centre);
        EXPECT_EQ(watch.menuRect.left, centre.x);
        EXPECT_EQ(watch.menuRect.top, centre.y);
        EXPECT_FALSE(timerState.menuOpen);
        // Once, and no other menu after it (the system menu that F10 alone would start).
        EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"#32768", nullptr), nullptr);
    }
}

TEST_F(Commands, AnExitMenuLoopOfANonPopupMenuLeavesTheFlag) {
    timerState.menuOpen = true;
    SendMessageW(TimerWindow(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(timerState.menuOpen);
    SendMessageW(TimerWindow(), WM_EXITMENULOOP, TRUE, 0);
    EXPECT_FALSE(timerState.menuOpen);
}

namespace {

struct GuideWatch {
    DWORD uiThread;
    bool menuShown = false;
    bool appeared = false;
    int heldMs = 0;  // how long it kept the keyboard
    bool closedByEsc = false;
};

// Chooses 使用指南 from the popup menu as a user would; the box must then stay in front with the
// keyboard while the worker keeps raising the window, and close with Esc.
DWORD WINAPI WatchGuideKeyboard(LPVOID parameter) {
    GuideWatch& watch = *static_cast<GuideWatch*>(parameter);
    if (!AwaitPopupMenu(watch.uiThread)) return 0;
    watch.menuShown = true;
    PressKey(VK_UP, kKeySettleMs);  // 联系作者
    PressKey(VK_UP, kKeySettleMs);  // 使用指南
    PressKey(VK_RETURN, kKeySettleMs);
    HWND box = nullptr;
    for (int attempt = 0; attempt < 500 && !box; ++attempt) {
        box = FindThreadWindow(watch.uiThread, L"#32770", L"使用指南");
        if (!box) Sleep(10);
    }
    if (!box) return 0;
    watch.appeared = true;
    // The worker's raise and a chime's call to the foreground, decided just before the guide
    // disabled the window, land now; the keyboard is looked at once the UI thread has had them.
    BringWindowToTop(timerState.mainWindow);
    SetForegroundWindow(timerState.mainWindow);
    Sleep(200);
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < 5000) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(watch.uiThread, &info);
        const bool keyboard = GetForegroundWindow() == box && info.hwndActive == box &&
                              (info.hwndFocus == box || IsChild(box, info.hwndFocus));
        if (!keyboard || !IsWindowVisible(box)) break;
        watch.heldMs = static_cast<int>(GetTickCount64() - start);
        Sleep(20);
    }
    PressKey(VK_ESCAPE, kKeySettleMs);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (!IsWindow(box)) {
            watch.closedByEsc = true;
            return 0;
        }
        Sleep(10);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}

}  // namespace

TEST_F(Commands, WithTheWorkerKeepingTheWindowOnTopTheGuideKeepsTheKeyboard) {
    RestoreSystemTimeReaders();
    timerState.mode = TimerMode::Clock;
    ASSERT_TRUE(timerState.alwaysOnTop);
    HANDLE worker = StartWorker();
    // Long enough on the menu that the keeper is due the moment the menu closes.
    Sleep(2500);
    GuideWatch watch;
    watch.uiThread = GetCurrentThreadId();
    HANDLE watcher = CreateThread(nullptr, 0, WatchGuideKeyboard, &watch, 0, nullptr);
    POINT point = {200, 60};
    ClientToScreen(TimerWindow(), &point);
    SendMessageW(TimerWindow(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(point.x, point.y));
    // The chosen entry arrives as a posted command; the guide's own loop runs in here.
    PumpUntil([&] { return WaitForSingleObject(watcher, 0) == WAIT_OBJECT_0; }, 12000);
    CloseHandle(watcher);
    StopWorker(worker);
    ASSERT_TRUE(watch.menuShown);
    ASSERT_TRUE(watch.appeared);
    EXPECT_GE(watch.heldMs, 4900) << "the guide lost the keyboard after " << watch.heldMs << " ms";
    EXPECT_TRUE(watch.closedByEsc);
}
