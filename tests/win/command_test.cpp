// The command dispatch, the always-on-top toggles, the guide, hit-testing, the popup menu and
// the Tab and Space keys, on the real window.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "modal_watch.h"
#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"
#include "time_source.h"

namespace {

LRESULT Command(UINT id) {
    return SendMessageW(TimerWindow(), WM_COMMAND, id, 0);
}

bool Checked(HWND control) {
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MenuChecked(UINT id) {
    return (MenuState(id) & MF_CHECKED) != 0;
}

bool Topmost() {
    return (GetWindowLongW(TimerWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void ExpectTopInLine(bool onTop) {
    EXPECT_EQ(timerState.alwaysOnTop.load(), onTop);
    EXPECT_EQ(Topmost(), onTop);
    EXPECT_EQ(Checked(timerState.topCheck), onTop);
    EXPECT_EQ(MenuChecked(IDM_ALWAYS_ON_TOP), onTop);
}

// The clock row: run buttons disabled, the settings button hidden, the mode controls enabled.
void ShowClockRow() {
    timerState.mode = TimerMode::Clock;
    EnableWindow(timerState.startButton, FALSE);
    EnableWindow(timerState.resetButton, FALSE);
    ShowWindow(timerState.setButton, SW_HIDE);
    EnableModeControls(true);
    for (HWND control : timerState.tabOrder) ShowWindow(control, control != timerState.setButton);
}

void PressTab(HWND target) {
    SendMessageW(target, WM_KEYDOWN, VK_TAB, 0);
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        ResetTimer();
        timerState.mode = TimerMode::Stopwatch;
        SetForegroundWindow(TimerWindow());
        PumpMessages();
    }
};

}  // namespace

TEST_F(Commands, StartResetAndTheirMenuEntriesRunTheTimer) {
    Command(IDC_START_BUTTON);
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(WindowText(timerState.startButton), L"暂停");
    Command(IDM_START);
    EXPECT_EQ(timerState.runState, RunState::Paused);
    EXPECT_EQ(MenuText(IDM_START), L"继续");
    Command(IDC_RESET_BUTTON);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    Command(IDM_START);
    EXPECT_EQ(timerState.runState, RunState::Running);
    Command(IDM_RESET);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(WindowText(timerState.startButton), L"开始");
}

TEST_F(Commands, ARadioButtonSwitchesOnlyWhenItReportsItselfChecked) {
    timerState.mode = TimerMode::Countdown;
    SendMessageW(timerState.stopwatchRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    Command(IDC_STOPWATCH_RADIO);
    EXPECT_EQ(timerState.mode, TimerMode::Countdown) << "an unchecked radio button switched";

    // A click checks the auto radio button, then sends the command.
    SendMessageW(timerState.stopwatchRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_TRUE(MenuChecked(IDM_STOPWATCH_MODE));

    // The radio button of the active mode switches to it again: its readout comes back.
    SetDisplayText("12:34:56    ", 12);
    SendMessageW(timerState.stopwatchRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(DisplayText(), "00:00:00    ");

    SendMessageW(timerState.countdownRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Countdown);
    EXPECT_EQ(DisplayText(), "00:05:00    ");
    SendMessageW(timerState.clockRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Clock);
    EXPECT_TRUE(MenuChecked(IDM_CLOCK_MODE));
}

TEST_F(Commands, TheMenuModeEntriesSwitchWithoutATestAlsoToTheActiveMode) {
    SendMessageW(timerState.countdownRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    Command(IDM_COUNTDOWN_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Countdown);
    EXPECT_TRUE(Checked(timerState.countdownRadio));
    EXPECT_TRUE(MenuChecked(IDM_COUNTDOWN_MODE));
    EXPECT_TRUE(IsWindowVisible(timerState.setButton));
    SetDisplayText("12:34:56    ", 12);
    Command(IDM_COUNTDOWN_MODE);
    EXPECT_EQ(DisplayText(), "00:05:00    ");
    Command(IDM_STOPWATCH_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_TRUE(Checked(timerState.stopwatchRadio));
    Command(IDM_CLOCK_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Clock);
    EXPECT_TRUE(Checked(timerState.clockRadio));
    EXPECT_FALSE(IsWindowEnabled(timerState.startButton));
}

TEST_F(Commands, MillisecondsFromTheCheckBoxAndTheMenu) {
    SendMessageW(timerState.msCheck, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_TRUE(timerState.showMilliseconds);
    EXPECT_TRUE(Checked(timerState.msCheck));
    EXPECT_TRUE(MenuChecked(IDM_MILLISECONDS));
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    Command(IDM_MILLISECONDS);
    EXPECT_FALSE(timerState.showMilliseconds);
    EXPECT_FALSE(Checked(timerState.msCheck));
    EXPECT_FALSE(MenuChecked(IDM_MILLISECONDS));
    EXPECT_EQ(DisplayText(), "00:00:00    ");
}

TEST_F(Commands, CompactFromTheMenuClipsTheWindowAndBack) {
    Command(IDM_COMPACT);
    EXPECT_TRUE(timerState.compactMode);
    EXPECT_TRUE(MenuChecked(IDM_COMPACT));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(TimerWindow(), region), ERROR) << "no strip region";
    Command(IDM_COMPACT);
    EXPECT_FALSE(timerState.compactMode);
    EXPECT_FALSE(MenuChecked(IDM_COMPACT));
    EXPECT_EQ(GetWindowRgn(TimerWindow(), region), ERROR) << "the region stayed";
    DeleteObject(region);
}

TEST_F(Commands, TheSettingsAndContactDialogsOpenModalOverTheWindow) {
    ModalSeen settings = AnswerModal(IDC_SET_BUTTON, L"倒计时设定", IDCANCEL);
    EXPECT_TRUE(settings.appeared);
    EXPECT_EQ(settings.owner, TimerWindow());
    EXPECT_FALSE(settings.ownerEnabled);
    EXPECT_TRUE(settings.closed);
    ModalSeen contact = AnswerModal(IDM_CONTACT, L"联系作者", IDCANCEL);
    EXPECT_TRUE(contact.appeared);
    EXPECT_EQ(contact.owner, TimerWindow());
    EXPECT_TRUE(contact.closed) << "the contact dialog did not close on Cancel";
    EXPECT_TRUE(IsWindowEnabled(TimerWindow()));
}

TEST_F(Commands, TheGuideShowsItsSixLinesExactly) {
    ModalSeen guide = AnswerModal(IDM_GUIDE, L"使用指南", IDOK);
    ASSERT_TRUE(guide.appeared);
    EXPECT_EQ(guide.owner, TimerWindow());
    const std::wstring expected =
        L"\u00B7 \u5012\u8BA1\u65F6\u53EF\u8BBE\u7F6E\u4E24\u79CD\u6A21\u5F0F\uFF1A\n"
        L"         \u5B9A\u65F6\u957F - \u5982\u5012\u8BA1\u65F65\u5206\u949F\n"
        L"         \u81F3\u7EDD\u5BF9\u65F6\u95F4 - "
        L"\u5982\u5012\u8BA1\u65F6\u81F319\u70B930\u5206\n"
        L"\u00B7 \u70B9\u51FB\u7A97\u53E3\u4EFB\u610F\u4F4D\u7F6E\u53EF\u62D6\u52A8\u7A97\u53E3\n"
        L"\u00B7 \u53CC\u51FB\u53EF\u8FDB\u5165\u6216\u9000\u51FA\u7CBE\u7B80\u663E\u793A\u6A21"
        L"\u5F0F\n"
        L"\u00B7 \u4E0A\u4E0B\u5DE6\u53F3\u952E\u53EF\u8FC5\u901F\u79FB\u52A8\u7A97\u53E3\u5230"
        L"\u5C4F\u5E55\u8FB9\u7F18\n";
    EXPECT_EQ(guide.text, expected);
    EXPECT_TRUE(guide.closed);
}

TEST_F(Commands, TheAcceleratorCommandAndUnknownIdsChangeNothing) {
    const std::string before = DisplayText();
    for (UINT id : {UINT{IDM_ABOUT}, UINT{10002}, UINT{32770}, UINT{32782}}) {
        EXPECT_EQ(Command(id), 0);
        PumpMessages();
        EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"#32770", nullptr), nullptr) << id;
    }
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_EQ(DisplayText(), before);
    EXPECT_TRUE(IsWindow(TimerWindow()));
}

TEST_F(Commands, AlwaysOnTopFromTheCheckBoxAndTheMenuKeepBandCheckAndMarkInLine) {
    ExpectTopInLine(true);
    SendMessageW(timerState.topCheck, BM_CLICK, 0, 0);  // the auto check box flips itself first
    PumpMessages();
    ExpectTopInLine(false);
    Command(IDM_ALWAYS_ON_TOP);
    ExpectTopInLine(true);
    Command(IDM_ALWAYS_ON_TOP);
    ExpectTopInLine(false);
    SendMessageW(timerState.topCheck, BM_CLICK, 0, 0);
    PumpMessages();
    ExpectTopInLine(true);
}

TEST_F(Commands, TheBackgroundAnswersAsCaptionTheControlsAndFrameAsThemselves) {
    HWND window = TimerWindow();
    auto hitAt = [&](HWND target, int clientX, int clientY) {
        POINT point = {clientX, clientY};
        ClientToScreen(window, &point);
        return SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    };
    EXPECT_EQ(hitAt(window, 300, 100), HTCAPTION);  // beside the reset button
    EXPECT_EQ(hitAt(window, 190, 50), HTCAPTION);   // the readout
    // The mouse goes to the control under it, which answers as a client area.
    POINT onReset = {150, 100};
    ClientToScreen(window, &onReset);
    EXPECT_EQ(WindowFromPoint(onReset), timerState.resetButton);
    EXPECT_EQ(hitAt(timerState.resetButton, 150, 100), HTCLIENT);
    // The caption's close button keeps its own code.
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const LRESULT close =
        SendMessageW(window, WM_NCHITTEST, 0,
                     MAKELPARAM(frame.right - 12, frame.top + (origin.y - frame.top) / 2));
    EXPECT_EQ(close, HTCLOSE);
}

namespace {

struct MenuWatch {
    DWORD uiThread;
    std::atomic<bool> returned{false};
    bool menuShown = false;
    bool flagWhileShown = false;
    RECT menuRect = {};
    int upPresses = 0;  // 0: Esc without a choice; otherwise that many Up presses, then Enter
};

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(50);
}

DWORD WINAPI WatchMenu(LPVOID parameter) {
    MenuWatch& watch = *static_cast<MenuWatch*>(parameter);
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 300 && !menu && !watch.returned; ++attempt) {
        menu = FindThreadWindow(watch.uiThread, L"#32768", nullptr);
        if (!menu) Sleep(10);
    }
    if (!menu) return 0;
    watch.menuShown = true;
    watch.flagWhileShown = timerState.menuOpen;
    GetWindowRect(menu, &watch.menuRect);
    if (watch.upPresses == 0) PressKey(VK_ESCAPE);
    for (int press = 0; press < watch.upPresses; ++press) PressKey(VK_UP);
    if (watch.upPresses) PressKey(VK_RETURN);
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

TEST_F(Commands, TabCyclesOverTheEligibleControlsOfTheClockRow) {
    ShowClockRow();
    SetFocus(timerState.topCheck);
    PressTab(timerState.topCheck);  // forwarded by the control to the main window
    EXPECT_EQ(GetFocus(), timerState.clockRadio);
    const HWND cycle[] = {timerState.stopwatchRadio, timerState.countdownRadio, timerState.msCheck,
                          timerState.topCheck, timerState.clockRadio};
    for (HWND expected : cycle) {
        PressTab(GetFocus());
        EXPECT_EQ(GetFocus(), expected) << GetDlgCtrlID(expected);
    }
    // From the main window itself: the first eligible entry.
    SetFocus(TimerWindow());
    PressTab(TimerWindow());
    EXPECT_EQ(GetFocus(), timerState.clockRadio);
}

TEST_F(Commands, TabWithOnlyTheFocusedControlEligibleLeavesTheFocus) {
    ShowClockRow();
    for (HWND control : {timerState.clockRadio, timerState.stopwatchRadio,
                         timerState.countdownRadio, timerState.topCheck})
        EnableWindow(control, FALSE);
    SetFocus(timerState.msCheck);
    PressTab(timerState.msCheck);
    EXPECT_EQ(GetFocus(), timerState.msCheck);
    EnableModeControls(true);
    EnableWindow(timerState.topCheck, TRUE);
    ShowWindow(timerState.setButton, SW_HIDE);
}

namespace {

// A key as the keyboard delivers it: to the focus, or as a system key when nothing has it.
void TypeKey(WORD key) {
    PressKey(key);
    PumpUntil([] { return false; }, 150);
}

}  // namespace

TEST_F(Commands, DisablingOrHidingTheFocusedControlKeepsTheKeysWorking) {
    struct Case {
        TimerMode mode;
        HWND* focused;
        UINT command;
        HWND* focusAfter;  // null: the main window
        HWND* afterTab;
    };
    const Case cases[] = {
        // After a reset the focus is on 开始, which the clock's row disables.
        {TimerMode::Stopwatch, &timerState.startButton, IDM_CLOCK_MODE, nullptr,
         &timerState.clockRadio},
        // A start from the menu disables the mode controls, the focused radio button too.
        {TimerMode::Countdown, &timerState.stopwatchRadio, IDM_START, &timerState.startButton,
         &timerState.resetButton},
        // The stopwatch's row hides 设定.
        {TimerMode::Countdown, &timerState.setButton, IDM_STOPWATCH_MODE, &timerState.startButton,
         &timerState.resetButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        Command(IDM_RESET);
        Command(c.mode == TimerMode::Countdown ? IDM_COUNTDOWN_MODE : IDM_STOPWATCH_MODE);
        SetForegroundWindow(TimerWindow());
        SetFocus(*c.focused);
        ASSERT_EQ(GetFocus(), *c.focused);
        Command(c.command);
        EXPECT_EQ(GetFocus(), c.focusAfter ? *c.focusAfter : TimerWindow());
        TypeKey(VK_TAB);
        EXPECT_EQ(GetFocus(), *c.afterTab);
        SetWindowPos(TimerWindow(), nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        TypeKey(VK_UP);
        RECT frame;
        GetWindowRect(TimerWindow(), &frame);
        EXPECT_NE(frame.top, 250) << "the arrow key did not snap the window";
    }
    Command(IDM_RESET);
    Command(IDM_CLOCK_MODE);
}

TEST_F(Commands, SpaceOnTheMainWindowFocusesTheStartButtonWithoutPressingIt) {
    SetFocus(TimerWindow());
    SendMessageW(TimerWindow(), WM_KEYDOWN, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ(GetFocus(), timerState.startButton);
    EXPECT_EQ(timerState.runState, RunState::Idle);
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
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 300 && !menu; ++attempt) {
        menu = FindThreadWindow(watch.uiThread, L"#32768", nullptr);
        if (!menu) Sleep(10);
    }
    if (!menu) return 0;
    watch.menuShown = true;
    PressKey(VK_UP);  // 联系作者
    PressKey(VK_UP);  // 使用指南
    PressKey(VK_RETURN);
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
    PressKey(VK_ESCAPE);
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
