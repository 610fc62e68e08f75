// Switching modes and the millisecond form on the real window: the readout, the controls, the
// radio buttons and the menu, in every run state.
#include "mode_control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"

namespace {

const TimerMode kModes[] = {TimerMode::Clock, TimerMode::Stopwatch, TimerMode::Countdown};

const char* ModeName(TimerMode mode) {
    switch (mode) {
        case TimerMode::Clock:
            return "clock";
        case TimerMode::Stopwatch:
            return "stopwatch";
        case TimerMode::Countdown:
            return "countdown";
    }
    return "?";
}

// Enabled entries have neither flag; disabled ones MF_DISABLED alone, never MF_GRAYED.
bool MenuEnabled(UINT id) {
    const UINT state = MenuState(id);
    EXPECT_EQ(state & MF_GRAYED, 0u) << id;
    return (state & MF_DISABLED) == 0;
}

// Whether the centre of the readout band waits to be repainted.
bool ReadoutInvalidated() {
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(timerState.mainWindow, update, FALSE);
    const bool inside = PtInRegion(update, 190, 57) != FALSE;
    DeleteObject(update);
    return inside;
}

void PutDisplayText(const char* text) {
    SetDisplayText(text, static_cast<int>(strlen(text)));
}

class ModeSwitching : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        DriveTime();
        BeginTickWorker(local);
        ResetTimer();  // unlocks the mode controls a previous start left locked
    }
    void TearDown() override {
        if (timerState.showMilliseconds) ToggleMilliseconds();
        SwitchMode(TimerMode::Clock);
        PumpMessages();
    }
    void ExpectRow(TimerMode mode) {
        SCOPED_TRACE(ModeName(mode));
        const bool runnable = mode != TimerMode::Clock;
        EXPECT_EQ(timerState.mode, mode);
        EXPECT_EQ(IsWindowEnabled(timerState.startButton) != FALSE, runnable);
        EXPECT_EQ(IsWindowEnabled(timerState.resetButton) != FALSE, runnable);
        EXPECT_EQ(MenuEnabled(IDM_START), runnable);
        EXPECT_EQ(MenuEnabled(IDM_RESET), runnable);
        EXPECT_EQ(IsWindowVisible(timerState.setButton) != FALSE, mode == TimerMode::Countdown);
        EXPECT_EQ(Checked(timerState.clockRadio), mode == TimerMode::Clock);
        EXPECT_EQ(Checked(timerState.stopwatchRadio), mode == TimerMode::Stopwatch);
        EXPECT_EQ(Checked(timerState.countdownRadio), mode == TimerMode::Countdown);
        EXPECT_EQ(MenuChecked(IDM_CLOCK_MODE), mode == TimerMode::Clock);
        EXPECT_EQ(MenuChecked(IDM_STOPWATCH_MODE), mode == TimerMode::Stopwatch);
        EXPECT_EQ(MenuChecked(IDM_COUNTDOWN_MODE), mode == TimerMode::Countdown);
        // The mode entries themselves stay usable: only a start locks them.
        for (UINT id : {IDM_CLOCK_MODE, IDM_STOPWATCH_MODE, IDM_COUNTDOWN_MODE})
            EXPECT_TRUE(MenuEnabled(id));
    }
    void ExpectForm(bool showMilliseconds) {
        EXPECT_EQ(timerState.showMilliseconds, showMilliseconds);
        EXPECT_EQ(Checked(timerState.msCheck), showMilliseconds);
        EXPECT_EQ(MenuChecked(IDM_MILLISECONDS), showMilliseconds);
    }
    // Banks `counted` ms of a run and pauses, as the start button would.
    void PauseAfter(uint64_t counted) {
        ResetTimer();
        StartPauseResume();
        Driven().tick += counted;
        StartPauseResume();
        ASSERT_EQ(timerState.runState, RunState::Paused);
    }
    WorkerLocal local;
};

}  // namespace

TEST_F(ModeSwitching, EachRowFromEachModeIncludingTheCurrentOne) {
    for (TimerMode from : kModes) {
        for (TimerMode to : kModes) {
            SCOPED_TRACE(std::string("from ") + ModeName(from));
            SwitchMode(from);
            // A control the clock's row must leave focused, and a sentinel it must leave shown.
            SetFocus(timerState.topCheck);
            PutDisplayText("sentinel");
            ValidateRect(timerState.mainWindow, nullptr);
            SwitchMode(to);
            ExpectRow(to);
            if (to == TimerMode::Clock) {
                EXPECT_EQ(DisplayText(), "sentinel");
                EXPECT_FALSE(ReadoutInvalidated());
                EXPECT_EQ(GetFocus(), timerState.topCheck);
            } else {
                EXPECT_EQ(DisplayText(),
                          to == TimerMode::Countdown ? "00:05:00    " : "00:00:00    ");
                EXPECT_TRUE(ReadoutInvalidated());
                EXPECT_EQ(GetFocus(), timerState.startButton);
            }
            PumpMessages();
        }
    }
}

TEST_F(ModeSwitching, CountdownShowsItsLengthOrZeroInTheCurrentForm) {
    timerState.showMilliseconds = true;
    timerState.countdownFixSeconds = 3725;
    SwitchMode(TimerMode::Countdown);
    EXPECT_EQ(DisplayText(), "01:02:05.000");
    SwitchMode(TimerMode::Stopwatch);
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.countdownToTime = 70200;
    SwitchMode(TimerMode::Countdown);
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    timerState.showMilliseconds = false;
}

TEST_F(ModeSwitching, LeavesTheRunStateHighlightAndCaptionAlone) {
    SwitchMode(TimerMode::Clock);
    timerState.highlight = HighlightState::HalfHour;  // set by the clock at half past
    SwitchMode(TimerMode::Stopwatch);
    EXPECT_EQ(timerState.highlight, HighlightState::HalfHour);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(WindowText(timerState.startButton), L"开始");
    EXPECT_EQ(MenuText(IDM_START), L"开始");
    SwitchMode(TimerMode::Countdown);
    EXPECT_EQ(timerState.highlight, HighlightState::HalfHour);
    // Only the next start or reset clears it.
    ResetTimer();
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
}

TEST_F(ModeSwitching, IdleToggleRewritesTheStartingReadoutAndTwiceRestoresEverything) {
    struct Case {
        TimerMode mode;
        CountdownKind kind;
        const char* plain;
        const char* withMs;
    };
    const Case cases[] = {
        {TimerMode::Clock, CountdownKind::FixedDuration, "00:00:00    ", "00:00:00.000"},
        {TimerMode::Stopwatch, CountdownKind::FixedDuration, "00:00:00    ", "00:00:00.000"},
        {TimerMode::Countdown, CountdownKind::FixedDuration, "00:05:00    ", "00:05:00.000"},
        {TimerMode::Countdown, CountdownKind::UntilTime, "00:00:00    ", "00:00:00.000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ModeName(c.mode));
        timerState.countdownKind = c.kind;
        SwitchMode(c.mode);
        PutDisplayText("sentinel");
        ValidateRect(timerState.mainWindow, nullptr);
        ToggleMilliseconds();
        ExpectForm(true);
        EXPECT_EQ(DisplayText(), c.withMs);
        EXPECT_TRUE(ReadoutInvalidated());
        ToggleMilliseconds();
        ExpectForm(false);
        EXPECT_EQ(DisplayText(), c.plain);
        ExpectRow(c.mode);  // the toggle touches none of the mode's controls
    }
    timerState.countdownKind = CountdownKind::FixedDuration;
}

TEST_F(ModeSwitching, ClockToggleIsReplacedByTheWallTimeInTheNewForm) {
    SwitchMode(TimerMode::Clock);
    SetDrivenLocalTime(10, 12, 30, 250);
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "10:12:30    ");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "10:12:30.250");
}

TEST_F(ModeSwitching, PausedStopwatchShowsTheSameTimeInTheOtherForm) {
    SwitchMode(TimerMode::Stopwatch);
    PauseAfter(62345);
    EXPECT_EQ(DisplayText(), "00:01:02    ");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:01:02.345");
    ExpectForm(true);
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:01:02    ");
    ExpectForm(false);
    EXPECT_EQ(timerState.accumulatedMs, 62345u);
    EXPECT_EQ(timerState.runState, RunState::Paused);
    EXPECT_EQ(WindowText(timerState.startButton), L"继续");
    // Resuming counts on from the bank.
    StartPauseResume();
    Driven().tick += 655;
    RunWorkerIteration(local);
    EXPECT_EQ(DisplayText(), "00:01:03    ");
}

TEST_F(ModeSwitching, PausedCountdownShowsItsRemainderAndZeroPastItsLength) {
    timerState.countdownFixSeconds = 90 * 60;
    SwitchMode(TimerMode::Countdown);
    PauseAfter(3723456);
    EXPECT_EQ(DisplayText(), "00:27:56    ");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:27:56.544");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:27:56    ");

    // Paused with more counted than the length (the overtime): zero in both forms, as the pause
    // showed it, and the bank stays as it was.
    {
        StateLock lock;
        timerState.accumulatedMs = 90 * 60000 + 20000;
    }
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:00:00    ");
    EXPECT_EQ(timerState.accumulatedMs, 90u * 60000 + 20000);
}

TEST_F(ModeSwitching, RunningTimersAreLeftToTheWorkerWhichTakesTheNewForm) {
    for (TimerMode mode : {TimerMode::Stopwatch, TimerMode::Countdown}) {
        SCOPED_TRACE(ModeName(mode));
        SwitchMode(mode);
        ResetTimer();
        StartPauseResume();
        Driven().tick += 61001;
        RunWorkerIteration(local);
        const std::string before = DisplayText();
        ToggleMilliseconds();
        ExpectForm(true);
        EXPECT_EQ(DisplayText(), before);
        RunWorkerIteration(local);
        EXPECT_EQ(DisplayText(), mode == TimerMode::Stopwatch ? "00:01:01.001" : "00:03:58.999");
        ToggleMilliseconds();
        ExpectForm(false);
        EXPECT_EQ(DisplayText(), mode == TimerMode::Stopwatch ? "00:01:01.001" : "00:03:58.999");
        RunWorkerIteration(local);
        EXPECT_EQ(DisplayText(), mode == TimerMode::Stopwatch ? "00:01:01    " : "00:03:58    ");
        ResetTimer();
    }
}

TEST_F(ModeSwitching, AfterACountdownRanOutTheToggleShowsItsLength) {
    timerState.countdownFixSeconds = 2;
    SwitchMode(TimerMode::Countdown);
    ResetTimer();
    StartPauseResume();
    Driven().tick += 2500;
    RunWorkerIteration(local);
    PumpMessages();
    ASSERT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(DisplayText(), "00:00:00    ");
    ToggleMilliseconds();
    EXPECT_EQ(DisplayText(), "00:00:02.000");
    ToggleMilliseconds();
    ResetTimer();
}
