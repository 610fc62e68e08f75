// When the worker chimes: plain functions of the time values.
#pragma once

#include <cstdint>

#include "timer_types.h"

// The clock's rule for one iteration, given the minute of the local time.
struct ClockChime {
    HighlightState highlight;  // the highlight after this iteration
    int sound;                 // WAVE resource to start, 0 for none
    bool latch;                // chimeLatch after this iteration
};
ClockChime ClockChimeRule(int minute, bool latch, HighlightState highlight);

// Five-minute marks of the stopwatch and the countdowns.
struct MarkChime {
    bool sound;  // start the five-minute sound and come to the foreground
    bool latch;
};
MarkChime MarkChimeRule(uint64_t markIndex, bool latch);

// Minute numbers that the mark rule tests. Counting up, a mark sounds 500 ms before each
// five-minute multiple; counting down, once the remaining time falls below 5n minutes + 1.5 s.
uint64_t UpwardMarkIndex(uint64_t elapsed);
uint64_t DownwardMarkIndex(uint64_t shown);
int32_t UntilTimeMarkIndex(int32_t remaining);
