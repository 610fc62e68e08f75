#include "timing_rules.h"

#include "chime_rules.h"

ElapsedStep StepElapsed(const ElapsedInput& input) {
    const uint64_t elapsed = input.accumulatedMs + input.nowTick - input.segmentStartTick;
    ElapsedStep step{};
    const bool countsUp =
        input.mode == TimerMode::Stopwatch || (input.timeoutContinue && input.expired);
    if (countsUp) {
        step.shown = elapsed;
        step.markIndex = UpwardMarkIndex(elapsed);
        return step;
    }
    const uint64_t target = FixedTargetMs(input.countdownFixSeconds);
    if (elapsed < target) {
        step.shown = target - elapsed;
    } else {
        // A remaining time of exactly zero has run out.
        step.runOut = true;
        step.keepsRunning = input.timeoutContinue;
        const uint64_t overtime = elapsed - target;
        step.shown = input.timeoutContinue ? overtime : 0;
        step.segmentStartTick =
            input.timeoutContinue ? input.nowTick - overtime : input.segmentStartTick;
    }
    step.markIndex = DownwardMarkIndex(step.shown);
    return step;
}

int32_t UntilTimeRemaining(uint32_t countdownToTime, int targetWeekday, const WallTime& now) {
    const int32_t secondOfDay = 3600 * now.hour + 60 * now.minute + now.second;
    int32_t remaining =
        (static_cast<int32_t>(TargetSecondOfDay(countdownToTime)) - secondOfDay) * 1000 -
        now.milliseconds;
    // Only the day of week is compared: on any other day the target is a day further away.
    if (targetWeekday != now.dayOfWeek) remaining += 86400000;
    return remaining;
}

int32_t ZonedUntilTimeRemaining(uint32_t countdownToTime, int targetWeekday, int64_t armedUtcMs,
                                int64_t nowUtcMs, const ZoneRules& zone) {
    const int64_t localMs = LocalMsAt(nowUtcMs, zone);
    const int32_t onTheClock =
        UntilTimeRemaining(countdownToTime, targetWeekday, WallTimeOf(localMs));
    return static_cast<int32_t>(UtcShowing(localMs + onTheClock, zone, armedUtcMs) - nowUtcMs);
}

int ArmTargetWeekday(uint32_t countdownToTime, const WallTime& now) {
    const uint32_t timeOfDay =
        static_cast<uint32_t>(MsOfDay(now.hour, now.minute, now.second, now.milliseconds));
    const uint32_t target = TargetSecondOfDay(countdownToTime) * 1000u;
    if (target <= timeOfDay) return (now.dayOfWeek + 1) % 7;
    return now.dayOfWeek;
}
