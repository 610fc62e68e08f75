// The tick worker's clock branch and keeper, with time driven by the test.
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

class ClockWorker : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        timerState.mode = TimerMode::Clock;
        DriveTime();
        BeginTickWorker(local);
    }
    void IterateAt(int hour, int minute, int second, int milliseconds) {
        SetDrivenLocalTime(hour, minute, second, milliseconds);
        Driven().tick += 2;
        RunWorkerIteration(local);
    }
    WorkerLocal local;
};

}  // namespace

TEST_F(ClockWorker, AnIterationWritesTheLocalTimeInTheChosenForm) {
    IterateAt(9, 7, 3, 42);
    EXPECT_EQ(DisplayText(), "09:07:03    ");
    timerState.showMilliseconds = true;
    IterateAt(9, 7, 3, 42);
    EXPECT_EQ(DisplayText(), "09:07:03.042");
}

TEST_F(ClockWorker, TheFullHourHighlightIsSetOnceAndClearedInTheNextMinute) {
    IterateAt(10, 59, 59, 999);
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
    EXPECT_FALSE(local.chimeLatch);
    IterateAt(11, 0, 0, 0);
    EXPECT_EQ(timerState.highlight, HighlightState::FullHour);
    EXPECT_TRUE(local.chimeLatch);
    // Within the same minute the mark does not fire again, even if the colours were cleared by
    // someone else (a start or reset press).
    timerState.highlight = HighlightState::Normal;
    IterateAt(11, 0, 30, 0);
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
    timerState.highlight = HighlightState::FullHour;
    IterateAt(11, 0, 59, 999);
    EXPECT_EQ(timerState.highlight, HighlightState::FullHour);
    IterateAt(11, 1, 0, 0);
    EXPECT_EQ(timerState.highlight, HighlightState::Normal);
    EXPECT_FALSE(local.chimeLatch);
    IterateAt(11, 30, 0, 5);
    EXPECT_EQ(timerState.highlight, HighlightState::HalfHour);
}

TEST_F(ClockWorker, QuitBeforeTheFirstIterationWritesNothing) {
    SetDisplayText("sentinel", 8);
    timerState.quitRequested = true;
    EXPECT_EQ(TickWorker(nullptr), 0u);
    timerState.quitRequested = false;
    EXPECT_EQ(DisplayText(), "sentinel");
}

TEST_F(ClockWorker, TheKeeperRaisesEvery2267MillisecondsButNotWhileTheMenuIsOpen) {
    const uint64_t start = local.lastRaiseTick;
    Driven().tick = start + 2266;
    RunWorkerIteration(local);
    EXPECT_EQ(local.lastRaiseTick, start);
    Driven().tick = start + 2267;
    RunWorkerIteration(local);
    EXPECT_EQ(local.lastRaiseTick, start + 2267);

    timerState.menuOpen = true;
    Driven().tick = start + 20000;
    RunWorkerIteration(local);
    EXPECT_EQ(local.lastRaiseTick, start + 2267);
    timerState.menuOpen = false;
    Driven().tick = start + 20002;
    RunWorkerIteration(local);
    EXPECT_EQ(local.lastRaiseTick, start + 20002);

    timerState.alwaysOnTop = false;
    Driven().tick = start + 40000;
    RunWorkerIteration(local);
    EXPECT_EQ(local.lastRaiseTick, start + 20002);
    timerState.alwaysOnTop = true;
}
