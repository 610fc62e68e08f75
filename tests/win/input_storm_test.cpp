// A storm of a few thousand random clicks, keys and menu commands driven into the real window
// while the real worker runs: nothing hangs, and afterwards (and at checkpoints during it) the
// captions, enabled controls, check marks, readout and menu agree with the timer state. Only
// what a user could reach is sent: enabled, visible controls and enabled menu entries; nothing
// that opens a modal dialog or message box (设定, the guide, the contact picture, 退出).
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "readout.h"
#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"

namespace {

const std::regex kReadoutForm("^[0-9]{2,}:[0-5][0-9]:[0-5][0-9](\\.[0-9]{3}| {4})$");

bool Enabled(HWND control) {
    return IsWindowEnabled(control) != FALSE;
}
bool MenuEnabled(UINT id) {
    return (MenuState(id) & (MF_DISABLED | MF_GRAYED)) == 0;
}

// What the storm may press: the controls a mouse can click and the menu entries it can pick.
const UINT kMenuCommands[] = {IDM_CLOCK_MODE,     IDM_ALWAYS_ON_TOP, IDM_COUNTDOWN_MODE,
                              IDM_STOPWATCH_MODE, IDM_START,         IDM_RESET,
                              IDM_MILLISECONDS,   IDM_COMPACT};

std::vector<HWND> ClickableControls() {
    std::vector<HWND> controls;
    for (HWND control :
         {timerState.startButton, timerState.resetButton, timerState.topCheck, timerState.msCheck,
          timerState.stopwatchRadio, timerState.countdownRadio, timerState.clockRadio})
        if (Enabled(control) && IsWindowVisible(control)) controls.push_back(control);
    return controls;
}

// Every way the window shows the state, checked against the state; returns the disagreements.
std::vector<std::string> Disagreements() {
    std::vector<std::string> found;
    auto expect = [&](bool holds, const char* what) {
        if (!holds) found.push_back(what);
    };
    const TimerMode mode = timerState.mode;
    const RunState runState = timerState.runState;
    const bool untilTime =
        mode == TimerMode::Countdown && timerState.countdownKind == CountdownKind::UntilTime;

    const std::wstring caption = WindowText(timerState.startButton);
    expect(caption == MenuText(IDM_START), "start caption and menu entry differ");
    if (runState == RunState::Paused) expect(caption == L"继续", "paused but not 继续");
    if (runState == RunState::Idle || untilTime) expect(caption == L"开始", "not 开始");
    if (runState == RunState::Running && !untilTime && !timerState.expired)
        expect(caption == L"暂停", "running but not 暂停");

    // No countdown runs out in the storm, so the mode controls are unlocked exactly when idle.
    const bool unlocked = runState == RunState::Idle;
    for (HWND control : {timerState.clockRadio, timerState.stopwatchRadio,
                         timerState.countdownRadio, timerState.setButton})
        expect(Enabled(control) == unlocked, "a mode control's lock differs from the run state");
    for (UINT id : {IDM_CLOCK_MODE, IDM_STOPWATCH_MODE, IDM_COUNTDOWN_MODE})
        expect(MenuEnabled(id) == unlocked, "a mode entry's lock differs from the run state");

    expect(Checked(timerState.clockRadio) == (mode == TimerMode::Clock), "clock radio");
    expect(Checked(timerState.stopwatchRadio) == (mode == TimerMode::Stopwatch), "stopwatch radio");
    expect(Checked(timerState.countdownRadio) == (mode == TimerMode::Countdown), "countdown radio");
    expect(MenuChecked(IDM_CLOCK_MODE) == (mode == TimerMode::Clock), "clock entry mark");
    expect(MenuChecked(IDM_STOPWATCH_MODE) == (mode == TimerMode::Stopwatch), "stopwatch mark");
    expect(MenuChecked(IDM_COUNTDOWN_MODE) == (mode == TimerMode::Countdown), "countdown mark");
    expect(IsWindowVisible(timerState.setButton) == (mode == TimerMode::Countdown), "设定 shown");

    const bool runControls = mode != TimerMode::Clock;
    expect(Enabled(timerState.startButton) == runControls, "start button enabled");
    expect(Enabled(timerState.resetButton) == runControls, "reset button enabled");
    expect(MenuEnabled(IDM_START) == runControls, "start entry enabled");
    expect(MenuEnabled(IDM_RESET) == runControls, "reset entry enabled");

    const bool ms = timerState.showMilliseconds;
    expect(Checked(timerState.msCheck) == ms, "millisecond box");
    expect(MenuChecked(IDM_MILLISECONDS) == ms, "millisecond mark");
    const bool onTop = timerState.alwaysOnTop;
    expect(Checked(timerState.topCheck) == onTop, "on-top box");
    expect(MenuChecked(IDM_ALWAYS_ON_TOP) == onTop, "on-top mark");
    expect(((GetWindowLongW(timerState.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == onTop,
           "topmost style");
    expect(MenuChecked(IDM_COMPACT) == timerState.compactMode, "compact mark");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int regionKind = GetWindowRgn(timerState.mainWindow, region);
    DeleteObject(region);
    expect((regionKind != ERROR) == timerState.compactMode, "strip region");

    const std::string text = DisplayText();
    expect(std::regex_match(text, kReadoutForm), "malformed readout");
    const bool textMs = text.size() > 4 && text[text.size() - 4] == '.';
    if (mode != TimerMode::Clock && runState != RunState::Running)
        expect(textMs == ms, "a still readout in the other form");
    if (runState == RunState::Idle && mode == TimerMode::Stopwatch)
        expect(text == ZeroReadout(ms), "an idle stopwatch not at zero");
    if (runState == RunState::Paused && mode == TimerMode::Stopwatch) {
        ReadoutBuffer expected = {};
        FormatMillisecondsReadout(expected, timerState.accumulatedMs, ms);
        expect(text == expected, "a paused stopwatch not showing its banked time");
    }
    return found;
}

}  // namespace

TEST(InputStorm, ThousandsOfRandomPressesLeaveAConsistentWindow) {
    ResetTimerState();
    DriveTime();
    SetDrivenLocalTime(10, 0, 0, 0);
    timerState.countdownFixSeconds = 300;
    timerState.countdownToTime = 12 * 3600;  // nothing runs out within the storm
    HANDLE worker = StartWorker();
    PumpMessages();

    std::mt19937 random(8122026);
    // Bounded by count alone: how long the storm takes depends on the machine (it is printed);
    // a storm that hangs is ended by the test's time limit.
    const ULONGLONG started = GetTickCount64();
    int events = 0, clicks = 0, commands = 0, keys = 0, checkpoints = 0;
    std::vector<std::string> problems;
    for (; events < 3000; ++events) {
        Driven().tick += 1 + random() % 5;
        const unsigned kind = random() % 10;
        if (kind < 4) {
            const std::vector<HWND> controls = ClickableControls();
            if (!controls.empty()) {
                SendMessageW(controls[random() % controls.size()], BM_CLICK, 0, 0);
                ++clicks;
            }
        } else if (kind < 7) {
            const UINT id = kMenuCommands[random() % (sizeof kMenuCommands / sizeof(UINT))];
            if (MenuEnabled(id)) {
                SendMessageW(timerState.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
                ++commands;
            }
        } else if (kind < 9) {
            const WPARAM choice[] = {VK_TAB, VK_SPACE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'A'};
            const WPARAM key = choice[random() % 7];
            HWND target = GetFocus() ? GetFocus() : timerState.mainWindow;
            // Space on 设定 would open its modal dialog.
            if (!(key == VK_SPACE && target == timerState.setButton)) {
                SendMessageW(target, WM_KEYDOWN, key, 1);
                SendMessageW(target, WM_KEYUP, key, 0xC0000001);
                ++keys;
            }
        } else {
            SendMessageW(timerState.mainWindow, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        }
        if (events % 8 == 0) PumpMessages();
        if (events % 100 == 99) {
            PumpMessages();
            ++checkpoints;
            for (const std::string& problem : Disagreements())
                problems.push_back(std::to_string(events) + ": " + problem);
        }
    }
    PumpMessages();
    for (const std::string& problem : Disagreements()) problems.push_back("end: " + problem);
    printf("storm: %d events (%d clicks, %d menu commands, %d keys) in %llu ms, %d checkpoints\n",
           events, clicks, commands, keys,
           static_cast<unsigned long long>(GetTickCount64() - started), checkpoints);
    for (size_t i = 0; i < problems.size() && i < 10; ++i) ADD_FAILURE() << problems[i];
    EXPECT_TRUE(problems.empty()) << problems.size() << " disagreements";

    // Still answering, and the worker still writing the readout.
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(timerState.mainWindow, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer),
              0);
    StopWorker(worker);
    ResetTimer();
    if (timerState.compactMode)
        SendMessageW(timerState.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_COMPACT, 0), 0);
}
