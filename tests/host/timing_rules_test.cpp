#include "timing_rules.h"

#include <gtest/gtest.h>

namespace {

ElapsedInput Countdown(uint32_t seconds, bool timeoutContinue, uint64_t segmentStart,
                       uint64_t now) {
    ElapsedInput input{};
    input.mode = TimerMode::Countdown;
    input.timeoutContinue = timeoutContinue;
    input.segmentStartTick = segmentStart;
    input.nowTick = now;
    input.countdownFixSeconds = seconds;
    return input;
}

}  // namespace

TEST(ElapsedStep, StopwatchCountsUpFromTheBankedTimeAcrossTheTickWrap) {
    ElapsedInput input{};
    input.mode = TimerMode::Stopwatch;
    input.accumulatedMs = 1000;
    input.segmentStartTick = UINT64_MAX - 499;  // the tick counter wraps during the segment
    input.nowTick = 500;
    const ElapsedStep step = StepElapsed(input);
    EXPECT_EQ(step.shown, 2000u);
    EXPECT_FALSE(step.runOut);
    // A stopwatch past 100 hours keeps counting.
    input.accumulatedMs = 360000000ull;
    input.segmentStartTick = 10;
    input.nowTick = 11;
    EXPECT_EQ(StepElapsed(input).shown, 360000001ull);
}

TEST(ElapsedStep, CountdownShowsTheRemainingTimeAndRunsOutExactlyAtZero) {
    ElapsedStep step = StepElapsed(Countdown(300, false, 1000, 1000 + 299999));
    EXPECT_FALSE(step.runOut);
    EXPECT_EQ(step.shown, 1u);

    step = StepElapsed(Countdown(300, false, 1000, 1000 + 300000));
    EXPECT_TRUE(step.runOut);
    EXPECT_FALSE(step.keepsRunning);
    EXPECT_EQ(step.shown, 0u);
    EXPECT_EQ(step.segmentStartTick, 1000u);  // unchanged without overtime
    EXPECT_EQ(step.markIndex, 26u);           // the run-out iteration never chimes
}

TEST(ElapsedStep, OvertimeContinuesWithoutAGap) {
    // The worker notices the run-out 7 ms late: the overtime already counts those 7 ms.
    const uint64_t start = 5000;
    ElapsedStep step = StepElapsed(Countdown(60, true, start, start + 60007));
    ASSERT_TRUE(step.runOut);
    EXPECT_TRUE(step.keepsRunning);
    EXPECT_EQ(step.shown, 7u);

    // From the next iteration on the countdown counts up from the moved segment start, with the
    // bank cleared, and reaches one second of overtime one second after zero.
    ElapsedInput next = Countdown(60, true, step.segmentStartTick, start + 61000);
    next.expired = true;
    next.accumulatedMs = 0;
    const ElapsedStep later = StepElapsed(next);
    EXPECT_FALSE(later.runOut);
    EXPECT_EQ(later.shown, 1000u);
    // Overtime marks follow the upward rule.
    next.nowTick = step.segmentStartTick + 299500;
    EXPECT_EQ(StepElapsed(next).markIndex, 5u);
}

TEST(ElapsedStep, WithoutOvertimeAnExpiredCountdownStillCountsDown) {
    // A restart after a run-out without overtime counts the full length down again.
    ElapsedInput input = Countdown(10, false, 0, 4000);
    input.expired = true;
    const ElapsedStep step = StepElapsed(input);
    EXPECT_FALSE(step.runOut);
    EXPECT_EQ(step.shown, 6000u);
}

TEST(ElapsedStep, LengthZeroRunsOutAtTheFirstIteration) {
    ElapsedStep step = StepElapsed(Countdown(0, false, 100, 100));
    EXPECT_TRUE(step.runOut);
    EXPECT_EQ(step.shown, 0u);
    step = StepElapsed(Countdown(0, true, 100, 103));
    EXPECT_TRUE(step.runOut);
    EXPECT_EQ(step.shown, 3u);
}

TEST(ElapsedStep, TheLongestStoredLengthDoesNotWrap) {
    const ElapsedStep step = StepElapsed(Countdown(4294967, false, 0, 0));
    EXPECT_EQ(step.shown, 4294967000ull);
}

TEST(UntilTime, RemainingTimeAndTheDayRule) {
    // Target 19:30:00, armed at 19:00:00.000 the same day.
    EXPECT_EQ(UntilTimeRemaining(70200, 1, {19, 0, 0, 0, 1}), 1800000);
    EXPECT_EQ(UntilTimeRemaining(70200, 1, {19, 30, 0, 0, 1}), 0);
    // Overtime: one minute after the target.
    EXPECT_EQ(UntilTimeRemaining(70200, 1, {19, 31, 0, 0, 1}), -60000);
    // Armed Monday 23:00 for 01:00: the target is on Tuesday; no jump across midnight.
    EXPECT_EQ(UntilTimeRemaining(3600, 2, {23, 0, 0, 0, 1}), 7200000);
    EXPECT_EQ(UntilTimeRemaining(3600, 2, {0, 0, 0, 0, 2}), 3600000);
    // Overtime past midnight turns into a day-long remaining time again, never negative.
    EXPECT_EQ(UntilTimeRemaining(85000, 1, {0, 10, 0, 0, 2}), 85000 * 1000 - 600000 + 86400000);
    // Targets of 24:00:00 and later are times of day: the largest the settings accept,
    // 100:40:39, is 04:40:39.
    EXPECT_EQ(UntilTimeRemaining(362439, 3, {0, 0, 0, 0, 2}), 16839000 + 86400000);
}

TEST(UntilTime, TargetsFrom24HoursOnAreTimesOfDayAndRunOut) {
    // 24:00:00 armed on Monday at 23:59:44: midnight, 16 s away, and reached at midnight.
    EXPECT_EQ(ArmTargetWeekday(86400, {23, 59, 44, 0, 1}), 2);
    EXPECT_EQ(UntilTimeRemaining(86400, 2, {23, 59, 44, 0, 1}), 16000);
    EXPECT_EQ(UntilTimeRemaining(86400, 2, {0, 0, 0, 0, 2}), 0);
    // 25:30:00 armed at 01:29:48: 01:30 the same day, 12 s to go.
    EXPECT_EQ(ArmTargetWeekday(91800, {1, 29, 48, 0, 4}), 4);
    EXPECT_EQ(UntilTimeRemaining(91800, 4, {1, 29, 48, 0, 4}), 12000);
}

TEST(UntilTime, ArmingPutsTheTargetWithinTheNext24Hours) {
    // Armed at exactly the target: it falls on the next day.
    EXPECT_EQ(ArmTargetWeekday(70200, {19, 30, 0, 0, 3}), 4);
    // One millisecond before: the same day.
    EXPECT_EQ(ArmTargetWeekday(70200, {19, 29, 59, 999, 3}), 3);
    // A Saturday after the target: Sunday.
    EXPECT_EQ(ArmTargetWeekday(70200, {20, 0, 0, 0, 6}), 0);
    // Across midnight: armed 23:00 for 01:00.
    EXPECT_EQ(ArmTargetWeekday(3600, {23, 0, 0, 0, 1}), 2);
    // 24:39:00 is 00:39 on the clock: at 23:59:59.999 it is tomorrow.
    EXPECT_EQ(ArmTargetWeekday(88740, {23, 59, 59, 999, 5}), 6);
    // Armed at exactly the target, the readout starts at 24:00:00.000.
    EXPECT_EQ(UntilTimeRemaining(70200, 4, {19, 30, 0, 0, 3}), 86400000);
}
