// One tick-worker iteration's own work, without the window calls: what each branch decides,
// formats and stores, through the same rules the worker uses. Shared by the host benchmark and
// the host allocation test so that both measure the same steps.
#pragma once

#include <cstdint>

#include "chime_rules.h"
#include "readout.h"
#include "timing_rules.h"

// What the worker and the shared state carry between iterations.
struct IterationState {
    ReadoutBuffer buffer = {};
    char displayText[32] = "00:00:00.000";
    bool chimeLatch = false;
    HighlightState highlight = HighlightState::Normal;
    uint64_t nowTick = 1000000;
    uint64_t segmentStartTick = 1000000;
    uint64_t accumulatedMs = 0;
    bool expired = false;
    WallTime now = {10, 12, 30, 0, 2};
};

// The clock branch: format the local time, store it, apply the chime rule.
inline void ClockIteration(IterationState& s, bool showMilliseconds) {
    ReplaceReadoutText(s.displayText, sizeof s.displayText, s.buffer,
                       FormatClockReadout(s.buffer, s.now, showMilliseconds));
    const ClockChime chime = ClockChimeRule(s.now.minute, s.chimeLatch, s.highlight);
    s.highlight = chime.highlight;
    s.chimeLatch = chime.latch;
}

// The elapsed branch of a running stopwatch or fixed-duration countdown.
inline void ElapsedIteration(IterationState& s, TimerMode mode, uint32_t fixSeconds,
                             bool showMilliseconds) {
    const ElapsedInput input = {
        mode, false, s.expired, s.accumulatedMs, s.segmentStartTick, s.nowTick, fixSeconds};
    const ElapsedStep step = StepElapsed(input);
    if (step.runOut) {
        s.expired = true;
        s.highlight = HighlightState::Expired;
        s.accumulatedMs = 0;
    }
    s.chimeLatch = MarkChimeRule(step.markIndex, s.chimeLatch).latch;
    ReplaceReadoutText(s.displayText, sizeof s.displayText, s.buffer,
                       FormatMillisecondsReadout(s.buffer, step.shown, showMilliseconds));
}

// The until-time branch while the target is still ahead.
inline void UntilTimeIteration(IterationState& s, uint32_t toTime, bool showMilliseconds) {
    const int32_t remaining = UntilTimeRemaining(toTime, s.now.dayOfWeek, s.now);
    if (remaining > 0)
        s.chimeLatch =
            MarkChimeRule(static_cast<uint64_t>(UntilTimeMarkIndex(remaining)), s.chimeLatch).latch;
    ReplaceReadoutText(
        s.displayText, sizeof s.displayText, s.buffer,
        FormatSigned32Readout(s.buffer, remaining > 0 ? remaining : -remaining, showMilliseconds));
}

// Moves the driven time on by `ms` milliseconds (tick and wall clock together).
inline void Advance(IterationState& s, int ms) {
    s.nowTick += static_cast<uint64_t>(ms);
    s.now.milliseconds += ms;
    while (s.now.milliseconds >= 1000) {
        s.now.milliseconds -= 1000;
        if (++s.now.second == 60) {
            s.now.second = 0;
            if (++s.now.minute == 60) {
                s.now.minute = 0;
                s.now.hour = (s.now.hour + 1) % 24;
            }
        }
    }
}
