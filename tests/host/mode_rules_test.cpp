#include "mode_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Idle(TimerMode mode, CountdownKind kind, uint32_t seconds, bool showMilliseconds) {
    ReadoutBuffer buffer = {};
    const int length = FormatIdleReadout(buffer, mode, kind, seconds, showMilliseconds);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

std::string Still(const StillTimer& timer) {
    ReadoutBuffer buffer = {};
    const int length = FormatStillReadout(buffer, timer);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

StillTimer Paused(TimerMode mode, uint32_t seconds, uint64_t accumulatedMs, bool ms) {
    return {mode, CountdownKind::FixedDuration, RunState::Paused, seconds, accumulatedMs, ms};
}

}  // namespace

TEST(ModeRow, OnlyTheClockLeavesTheReadoutAndFocusAndDisablesTheRunControls) {
    const ModeRow clock = ModeRowFor(TimerMode::Clock);
    EXPECT_FALSE(clock.writesReadout);
    EXPECT_FALSE(clock.runControlsEnabled);
    EXPECT_FALSE(clock.setButtonShown);
    EXPECT_FALSE(clock.focusesStart);

    const ModeRow stopwatch = ModeRowFor(TimerMode::Stopwatch);
    EXPECT_TRUE(stopwatch.writesReadout);
    EXPECT_TRUE(stopwatch.runControlsEnabled);
    EXPECT_FALSE(stopwatch.setButtonShown);
    EXPECT_TRUE(stopwatch.focusesStart);

    const ModeRow countdown = ModeRowFor(TimerMode::Countdown);
    EXPECT_TRUE(countdown.writesReadout);
    EXPECT_TRUE(countdown.runControlsEnabled);
    EXPECT_TRUE(countdown.setButtonShown);
    EXPECT_TRUE(countdown.focusesStart);
}

TEST(IdleReadout, AFixedCountdownShowsItsLengthEverythingElseZero) {
    using K = CountdownKind;
    EXPECT_EQ(Idle(TimerMode::Countdown, K::FixedDuration, 300, false), "00:05:00    ");
    EXPECT_EQ(Idle(TimerMode::Countdown, K::FixedDuration, 300, true), "00:05:00.000");
    EXPECT_EQ(Idle(TimerMode::Countdown, K::FixedDuration, 360000, true), "100:00:00.000");
    // An until-time countdown shows zero whatever its target.
    EXPECT_EQ(Idle(TimerMode::Countdown, K::UntilTime, 300, false), "00:00:00    ");
    // The countdown kind means nothing outside countdown mode.
    EXPECT_EQ(Idle(TimerMode::Stopwatch, K::FixedDuration, 300, true), "00:00:00.000");
    EXPECT_EQ(Idle(TimerMode::Clock, K::FixedDuration, 300, false), "00:00:00    ");
}

TEST(ToggleReadout, OnlyARunningTimerIsLeftToTheWorker) {
    EXPECT_TRUE(ToggleRewritesReadout(RunState::Idle));
    EXPECT_TRUE(ToggleRewritesReadout(RunState::Paused));
    EXPECT_FALSE(ToggleRewritesReadout(RunState::Running));
}

TEST(ToggleReadout, APausedTimerKeepsItsValueInTheOtherForm) {
    EXPECT_EQ(Still(Paused(TimerMode::Stopwatch, 300, 62345, true)), "00:01:02.345");
    EXPECT_EQ(Still(Paused(TimerMode::Stopwatch, 300, 62345, false)), "00:01:02    ");
    // A countdown shows what remains, not what was counted.
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 90 * 60, 3723456, true)), "00:27:56.544");
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 90 * 60, 3723456, false)), "00:27:56    ");
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 60, 59999, true)), "00:00:00.001");
}

TEST(ToggleReadout, ACountdownPausedPastItsLengthShowsZeroNeverAWrappedValue) {
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 60, 60000, true)), "00:00:00.000");
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 60, 60001, true)), "00:00:00.000");
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 60, 90000, false)), "00:00:00    ");
    EXPECT_EQ(Still(Paused(TimerMode::Countdown, 0, UINT64_MAX, true)), "00:00:00.000");
    // A stopwatch has no length: the largest count still fits the buffer.
    EXPECT_EQ(Still(Paused(TimerMode::Stopwatch, 0, 999999999ull * 3600000 + 1, true)),
              "999999999:00:00.001");
}

TEST(ToggleReadout, AnIdleTimerShowsItsStartingReadoutEvenIfCountersLinger) {
    // A countdown that ran out without overtime is idle: its length again, in the new form.
    StillTimer ranOut = {
        TimerMode::Countdown, CountdownKind::FixedDuration, RunState::Idle, 300, 0, true};
    EXPECT_EQ(Still(ranOut), "00:05:00.000");
    ranOut.showMilliseconds = false;
    EXPECT_EQ(Still(ranOut), "00:05:00    ");
    // Idle ignores the bank: the readout is the mode's, not a counted value.
    StillTimer clock = {
        TimerMode::Clock, CountdownKind::FixedDuration, RunState::Idle, 300, 4321, true};
    EXPECT_EQ(Still(clock), "00:00:00.000");
    StillTimer untilTime = {
        TimerMode::Countdown, CountdownKind::UntilTime, RunState::Idle, 300, 0, false};
    EXPECT_EQ(Still(untilTime), "00:00:00    ");
}
