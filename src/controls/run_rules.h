// What a press of the start button does, and the values a pause shows and banks.
#pragma once

#include <cstdint>

#include "timer_types.h"

enum class StartPress {
    ArmUntilTime,   // an idle until-time countdown starts counting to its target
    KeepUntilTime,  // an armed until-time countdown cannot be paused: nothing more happens
    StartOrResume,  // stopwatch or fixed countdown, idle or paused: a new run segment begins
    Pause,          // stopwatch or fixed countdown, running: the counted time is banked
};

StartPress ChooseStartPress(TimerMode mode, CountdownKind kind, RunState runState);

// Counted time of a stopwatch or fixed countdown at `tick`.
uint64_t CountedTime(RunState runState, uint64_t accumulatedMs, uint64_t segmentStartTick,
                     uint64_t tick);

// What a paused stopwatch or fixed countdown shows for its banked time. A countdown paused past
// its length (during the overtime, or in the moment before the worker notices the run-out) shows
// zero rather than a negative or wrapped value.
uint64_t PausedReadoutValue(TimerMode mode, uint32_t countdownFixSeconds, uint64_t countedMs);
