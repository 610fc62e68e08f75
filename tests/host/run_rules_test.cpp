#include "run_rules.h"

#include <gtest/gtest.h>

#include "readout.h"

TEST(StartPress, ChoosesByModeKindAndRunState) {
    using M = TimerMode;
    using K = CountdownKind;
    using R = RunState;
    EXPECT_EQ(ChooseStartPress(M::Countdown, K::UntilTime, R::Idle), StartPress::ArmUntilTime);
    EXPECT_EQ(ChooseStartPress(M::Countdown, K::UntilTime, R::Running), StartPress::KeepUntilTime);
    EXPECT_EQ(ChooseStartPress(M::Countdown, K::FixedDuration, R::Idle), StartPress::StartOrResume);
    EXPECT_EQ(ChooseStartPress(M::Countdown, K::FixedDuration, R::Paused),
              StartPress::StartOrResume);
    EXPECT_EQ(ChooseStartPress(M::Countdown, K::FixedDuration, R::Running), StartPress::Pause);
    // The stopwatch ignores the countdown kind.
    EXPECT_EQ(ChooseStartPress(M::Stopwatch, K::UntilTime, R::Running), StartPress::Pause);
    EXPECT_EQ(ChooseStartPress(M::Stopwatch, K::UntilTime, R::Idle), StartPress::StartOrResume);
}

TEST(Pause, NinetyMinuteCountdownPausedAfterAnHourShowsTheRemainder) {
    const uint64_t counted = CountedTime(RunState::Running, 0, 10000, 10000 + 3723456);
    EXPECT_EQ(counted, 3723456u);
    const uint64_t shown = PausedReadoutValue(TimerMode::Countdown, 90 * 60, counted);
    ReadoutBuffer text = {};
    FormatMillisecondsReadout(text, shown, true);
    EXPECT_STREQ(text, "00:27:56.544");
    FormatMillisecondsReadout(text, shown, false);
    EXPECT_STREQ(text, "00:27:56    ");
}

TEST(Pause, StartPauseStartPauseSumsBothStretches) {
    uint64_t bank = CountedTime(RunState::Running, 0, 1000, 4500);  // 3.5 s
    EXPECT_EQ(CountedTime(RunState::Paused, bank, 1000, 999999), 3500u);
    bank = CountedTime(RunState::Running, bank, 20000, 21250);  // resumed later, 1.25 s more
    EXPECT_EQ(bank, 4750u);
    EXPECT_EQ(PausedReadoutValue(TimerMode::Stopwatch, 300, bank), 4750u);
    EXPECT_EQ(CountedTime(RunState::Idle, 0, 5, 100), 0u);
}

TEST(Pause, ACountdownPausedPastItsLengthShowsZero) {
    EXPECT_EQ(PausedReadoutValue(TimerMode::Countdown, 60, 60000), 0u);
    EXPECT_EQ(PausedReadoutValue(TimerMode::Countdown, 60, 90000), 0u);
    EXPECT_EQ(PausedReadoutValue(TimerMode::Countdown, 60, 59999), 1u);
    // During a short overtime the pause shows the length less the overtime.
    EXPECT_EQ(PausedReadoutValue(TimerMode::Countdown, 300, 20000), 280000u);
}
