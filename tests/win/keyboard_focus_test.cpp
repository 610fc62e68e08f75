// The Tab and Space keys and the focus when the focused control is disabled or hidden, on the
// real window.
#include <gtest/gtest.h>

#include "command_fixture.h"

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
    PressKey(key, 50);
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
