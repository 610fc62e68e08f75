// Start, pause, resume, reset and the worker's run-out, on the real window with driven time.
#include "run_control.h"

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "test_support.h"
#include "time_source.h"

namespace {

// The system's zone as the test sets it, at a fixed moment: Monday 2027-06-14, 17:00 UTC.
ZoneReading drivenZone = {};
int64_t DrivenUtc() {
    return CalendarMs(2027, 6, 14, 17 * 3600000);
}
ZoneReading DrivenZone() {
    return drivenZone;
}

class RunControl : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        DriveTime();
        BeginTickWorker(local);
        ResetTimer();
    }
    void Iterate(uint64_t advanceMs) {
        Driven().tick += advanceMs;
        RunWorkerIteration(local);
        PumpMessages();
    }
    void ExpectCaption(const wchar_t* caption) {
        EXPECT_EQ(WindowText(timerState.startButton), caption);
        EXPECT_EQ(MenuText(IDM_START), caption);
    }
    void ExpectModeControlsEnabled(bool enabled) {
        for (HWND control : {timerState.clockRadio, timerState.stopwatchRadio,
                             timerState.countdownRadio, timerState.setButton})
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, enabled) << GetDlgCtrlID(control);
        for (UINT id : {IDM_CLOCK_MODE, IDM_STOPWATCH_MODE, IDM_COUNTDOWN_MODE}) {
            const UINT state = MenuState(id);
            EXPECT_EQ((state & MF_DISABLED) == 0, enabled) << id;
            EXPECT_EQ(state & MF_GRAYED, 0u) << id;
        }
    }
    WorkerLocal local;
};

}  // namespace

TEST_F(RunControl, StopwatchCaptionsReadoutsAndLockingThroughAWholeRun) {
    ExpectCaption(L"开始");
    ExpectModeControlsEnabled(true);
    EXPECT_EQ(DisplayText(), "00:00:00    ");

    StartPauseResume();
    ExpectCaption(L"暂停");
    ExpectModeControlsEnabled(false);
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(DisplayText(), "00:00:00    ");  // a start writes no readout
    Iterate(62345);
    EXPECT_EQ(DisplayText(), "00:01:02    ");

    Driven().tick += 1000;
    StartPauseResume();  // pause: 63.345 s banked
    ExpectCaption(L"继续");
    EXPECT_EQ(timerState.runState, RunState::Paused);
    EXPECT_EQ(DisplayText(), "00:01:03    ");
    EXPECT_EQ(timerState.accumulatedMs, 63345u);
    Iterate(50000);  // a paused timer is left alone
    EXPECT_EQ(DisplayText(), "00:01:03    ");

    StartPauseResume();  // resume
    ExpectCaption(L"暂停");
    ExpectModeControlsEnabled(false);
    timerState.showMilliseconds = true;
    Iterate(1655);
    EXPECT_EQ(DisplayText(), "00:01:05.000");
    Driven().tick += 1;
    StartPauseResume();  // second pause: both stretches summed
    EXPECT_EQ(DisplayText(), "00:01:05.001");
    EXPECT_EQ(timerState.accumulatedMs, 65001u);

    ResetTimer();
    ExpectCaption(L"开始");
    ExpectModeControlsEnabled(true);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(timerState.accumulatedMs, 0u);
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    EXPECT_EQ(GetFocus(), timerState.startButton);
}

TEST_F(RunControl, FixedCountdownRunsOutWithoutOvertimeAndRestartsFromItsLength) {
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 90 * 60;
    ResetTimer();
    EXPECT_EQ(DisplayText(), "01:30:00    ");
    StartPauseResume();
    Iterate(3723456);
    StartPauseResume();
    EXPECT_EQ(DisplayText(), "00:27:56    ");
    EXPECT_EQ(timerState.accumulatedMs, 3723456u);
    StartPauseResume();
    Iterate(1000);
    EXPECT_EQ(DisplayText(), "00:27:55    ");

    Iterate(90 * 60000 - 3724456);  // exactly zero
    EXPECT_EQ(DisplayText(), "00:00:00    ");
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_TRUE(timerState.expired);
    EXPECT_EQ(timerState.highlight, HighlightState::Expired);
    EXPECT_EQ(timerState.accumulatedMs, 0u);
    ExpectCaption(L"开始");
    ExpectModeControlsEnabled(false);  // only a reset unlocks them
    Iterate(5000);
    EXPECT_EQ(DisplayText(), "00:00:00    ");

    StartPauseResume();  // starts the same countdown from its full length
    EXPECT_FALSE(timerState.expired);
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
    Iterate(1);
    EXPECT_EQ(DisplayText(), "01:29:59    ");
    ResetTimer();
    EXPECT_EQ(DisplayText(), "01:30:00    ");
    ExpectModeControlsEnabled(true);
}

TEST_F(RunControl, OvertimeCountsUpAndTheStartButtonThenTakesThePausePath) {
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 60;
    timerState.timeoutContinue = true;
    timerState.showMilliseconds = true;
    ResetTimer();
    StartPauseResume();
    Iterate(60004);  // the worker sees zero 4 ms late
    EXPECT_EQ(DisplayText(), "00:00:00.004");
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(timerState.highlight, HighlightState::Expired);
    ExpectCaption(L"开始");
    Iterate(996);
    EXPECT_EQ(DisplayText(), "00:00:01.000");

    Iterate(19000);  // 20 s of overtime
    StartPauseResume();
    ExpectCaption(L"继续");
    EXPECT_EQ(timerState.runState, RunState::Paused);
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
    EXPECT_EQ(timerState.accumulatedMs, 20000u);
    EXPECT_EQ(DisplayText(), "00:00:40.000");  // the length less the overtime

    // Resumed, it counts down from there and runs out once more.
    StartPauseResume();
    Iterate(39999);
    EXPECT_EQ(DisplayText(), "00:00:00.001");
    Iterate(1);
    EXPECT_TRUE(timerState.expired);
    EXPECT_EQ(DisplayText(), "00:00:00.000");

    // Paused with more overtime than the length: zero, never a wrapped value.
    Iterate(90000);
    StartPauseResume();
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    EXPECT_EQ(timerState.accumulatedMs, 90000u);
}

TEST_F(RunControl, UntilTimeArmsOnceKeepsItsCaptionAndStopsAtTheTarget) {
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.countdownToTime = 70200;  // 19:30:00
    ResetTimer();
    EXPECT_EQ(DisplayText(), "00:00:00    ");
    SetDrivenLocalTime(19, 0, 0, 0, 6);
    StartPauseResume();
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(timerState.targetWeekday, 6);
    ExpectCaption(L"开始");
    ExpectModeControlsEnabled(false);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "00:30:00    ");

    StartPauseResume();  // no pause for an until-time countdown
    EXPECT_EQ(timerState.runState, RunState::Running);
    ExpectCaption(L"开始");

    EnableWindow(timerState.startButton, FALSE);
    SetDrivenLocalTime(19, 30, 0, 0, 6);
    RunWorkerIteration(local);
    PumpMessages();
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(timerState.highlight, HighlightState::Expired);
    EXPECT_EQ(DisplayText(), "00:00:00    ");
    EXPECT_TRUE(IsWindowEnabled(timerState.startButton));
    ExpectCaption(L"开始");
}

TEST_F(RunControl, UntilTimeOvertimeCountsUpWithoutMarks) {
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.countdownToTime = 70200;
    timerState.timeoutContinue = true;
    timerState.showMilliseconds = true;
    ResetTimer();
    SetDrivenLocalTime(19, 29, 59, 999, 6);
    StartPauseResume();  // one millisecond before: the same day
    EXPECT_EQ(timerState.targetWeekday, 6);
    SetDrivenLocalTime(19, 31, 0, 0, 6);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "00:01:00.000");
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_TRUE(timerState.expired);
    // Past midnight the day rule turns the overtime into a positive remaining time, a day on.
    SetDrivenLocalTime(0, 10, 0, 0, 0);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "43:20:00.000");
}

TEST_F(RunControl, UntilTimeFollowsAChangeOfZoneAndTheWallClockWithoutOne) {
    SetZonedClockReaders(DrivenUtc, DrivenZone);
    drivenZone = {{-120, 0, 0, {}, {}}, ZoneAnswer::Rules};  // UTC+2: 19:00 on the clock
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.countdownToTime = 70200;  // 19:30:00
    ResetTimer();
    SetDrivenLocalTime(19, 0, 0, 0, 1);
    StartPauseResume();
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "00:30:00    ");

    // The user picks a zone an hour further west; Windows announces it.
    drivenZone.rules.bias = -60;
    SendMessageW(timerState.mainWindow, WM_TIMECHANGE, 0, 0);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "01:30:00    ");

    // A zone the system cannot describe: the countdown follows the local wall clock.
    drivenZone.answer = ZoneAnswer::Unreadable;
    SendMessageW(timerState.mainWindow, WM_SETTINGCHANGE, 0, 0);
    SetDrivenLocalTime(19, 10, 0, 0, 1);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "00:20:00    ");
}

TEST_F(RunControl, ARunOutOnTheWorkerThreadRelabelsTheButtonWithoutDeadlock) {
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 2;
    ResetTimer();
    StartPauseResume();
    ExpectCaption(L"暂停");
    HANDLE worker = StartWorker();
    Driven().tick += 2000;
    // The worker relabels the button, then the menu entry: wait for both.
    EXPECT_TRUE(PumpUntil(
        [] {
            return WindowText(timerState.startButton) == L"开始" && MenuText(IDM_START) == L"开始";
        },
        5000));
    EXPECT_EQ(timerState.runState, RunState::Idle);
    // The UI thread can take the lock and the worker goes on iterating afterwards.
    ResetTimer();
    EXPECT_EQ(DisplayText(), "00:00:02    ");
    StopWorker(worker);
}
