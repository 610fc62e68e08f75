// The fixture and helpers that the command, popup-menu and keyboard tests share: each runs on
// the real window, from the stopwatch's idle state.
#pragma once

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"

inline LRESULT Command(UINT id) {
    return SendMessageW(TimerWindow(), WM_COMMAND, id, 0);
}

inline bool Topmost() {
    return (GetWindowLongW(TimerWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

inline void ExpectTopInLine(bool onTop) {
    EXPECT_EQ(timerState.alwaysOnTop.load(), onTop);
    EXPECT_EQ(Topmost(), onTop);
    EXPECT_EQ(Checked(timerState.topCheck), onTop);
    EXPECT_EQ(MenuChecked(IDM_ALWAYS_ON_TOP), onTop);
}

// The clock row: run buttons disabled, the settings button hidden, the mode controls enabled.
inline void ShowClockRow() {
    timerState.mode = TimerMode::Clock;
    EnableWindow(timerState.startButton, FALSE);
    EnableWindow(timerState.resetButton, FALSE);
    ShowWindow(timerState.setButton, SW_HIDE);
    EnableModeControls(true);
    for (HWND control : timerState.tabOrder) ShowWindow(control, control != timerState.setButton);
}

inline void PressTab(HWND target) {
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
