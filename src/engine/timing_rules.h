// One worker iteration of a running stopwatch or countdown, as plain arithmetic: what to show,
// whether the countdown has run out, and how the counters change when it does.
#pragma once

#include <cstdint>

#include "timer_types.h"
#include "zone_rules.h"

// The stopwatch and the fixed-duration countdown, counted from the monotonic tick.
struct ElapsedInput {
    TimerMode mode;
    bool timeoutContinue;
    bool expired;
    uint64_t accumulatedMs;
    uint64_t segmentStartTick;
    uint64_t nowTick;
    uint32_t countdownFixSeconds;
};

struct ElapsedStep {
    uint64_t shown;      // the value on the readout
    uint64_t markIndex;  // the minute number for the five-minute marks
    bool runOut;         // the countdown reached zero in this iteration
    // Only meaningful when runOut: the counters from now on. With overtime counting the segment
    // start moves back by the overtime so that the next iteration counts it up without a gap.
    bool keepsRunning;
    uint64_t segmentStartTick;
};

ElapsedStep StepElapsed(const ElapsedInput& input);

// The time of day an until-time target names. The settings accept up to 99:99:99, so a target
// of 24:00:00 or later is taken as that time on the clock (24:00:00 is midnight, 25:30:00 is
// 01:30): taken as entered, it would lie a day or more ahead at every midnight and never come.
inline uint32_t TargetSecondOfDay(uint32_t countdownToTime) {
    return countdownToTime % 86400u;
}

// The countdown to a time of day, counted from the local wall clock.
int32_t UntilTimeRemaining(uint32_t countdownToTime, int targetWeekday, const WallTime& now);

// The same countdown in real time, through UTC with the zone's rules: the day rule above picks the
// local time the clock is to show, and the remainder is the time until the clock first shows it
// after the countdown was armed (at `armedUtcMs`).
// On a day without a change of the clock it equals UntilTimeRemaining at the same moment. Across
// one, it runs without a jump; a target in the skipped hour comes when the clock jumps past it,
// one in the repeated hour at its first occurrence, and an overtime keeps counting up when the
// clock falls back.
int32_t ZonedUntilTimeRemaining(uint32_t countdownToTime, int targetWeekday, int64_t armedUtcMs,
                                int64_t nowUtcMs, const ZoneRules& zone);

// The day of week on which an until-time target armed at `now` falls: today when the target lies
// later today, else tomorrow, so the target is always within the next 24 hours.
int ArmTargetWeekday(uint32_t countdownToTime, const WallTime& now);

// The length of a fixed countdown in milliseconds: a 32-bit product widened, as the stored
// lengths are bounded so that it never wraps.
inline uint64_t FixedTargetMs(uint32_t countdownFixSeconds) {
    return static_cast<uint64_t>(countdownFixSeconds * 1000u);
}
