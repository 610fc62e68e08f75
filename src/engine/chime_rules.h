// When the worker chimes and when it raises the window: plain functions of the time values.
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

// The worker raises an always-on-top window again once 2267 ms or more have passed since it last
// did, but never while the popup menu is tracked (raising would close it), nor while the main
// window is disabled: then one of its modal dialogs or message boxes is open, and raising the
// main window would take the keyboard from it. A raise held back happens at the first iteration
// after the menu or the dialog closes.
constexpr uint64_t kRaiseIntervalMs = 2267;
struct KeeperInput {
    bool alwaysOnTop;
    bool menuOpen;
    bool mainWindowEnabled;
    uint64_t nowTick;
    uint64_t lastRaiseTick;
};
bool KeeperShouldRaise(const KeeperInput& input);
