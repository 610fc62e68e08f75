// What selecting a mode does to the controls, and the readout of a timer that stands still (idle
// or paused), in the form the millisecond toggle asks for.
#pragma once

#include <cstdint>

#include "readout.h"
#include "timer_types.h"

// The row of one mode: what switching to it writes, enables, shows and focuses.
struct ModeRow {
    bool writesReadout;       // the clock leaves its readout to the worker's wall time
    bool runControlsEnabled;  // start and reset, buttons and menu entries
    bool setButtonShown;      // the countdown's settings button
    bool focusesStart;        // the clock has nothing to start, so the focus stays put
};

ModeRow ModeRowFor(TimerMode mode);

struct StillTimer {
    TimerMode mode;
    CountdownKind kind;
    RunState runState;
    uint32_t countdownFixSeconds;
    uint64_t accumulatedMs;
    bool showMilliseconds;  // the form to write
};

// A running timer's readout belongs to the worker, which picks up a new form at its next
// iteration; the toggle rewrites only a readout that would otherwise stay in the old form.
inline bool ToggleRewritesReadout(RunState runState) {
    return runState != RunState::Running;
}

// The readout of an idle or paused timer: idle, the mode's starting readout; paused, the value
// the pause showed (zero for a countdown paused past its length), so toggling the form never
// changes the time shown.
int FormatStillReadout(ReadoutBuffer buffer, const StillTimer& timer);
