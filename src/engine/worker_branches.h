// The branches of one worker iteration. Each runs with the state lock held and returns the window
// work it decided on, which the worker does after releasing the lock.
#pragma once

#include "tick_worker.h"

struct WindowWork {
    bool runOut = false;        // alarm, flash, foreground
    bool relabelStart = false;  // the start button and its menu entry back to 开始
    int chimeSound = 0;         // a mark's sound, then foreground
    bool enableStart = false;   // an until-time countdown stopped at its target
    bool invalidate = false;    // the readout was rewritten
    bool newSecond = false;     // ...and shows another whole second, or the other form
    bool progressDue = false;   // the taskbar button's bar: a countdown's new second or run-out
    RECT band = {};             // the readout band to invalidate, copied under the lock
};

// The five-minute marks of a running stopwatch or countdown: updates the latch and returns the
// sound to play, 0 for none.
int ApplyMarkRule(WorkerLocal& local, uint64_t markIndex);

WindowWork RunClockBranch(WorkerLocal& local);
WindowWork RunElapsedBranch(WorkerLocal& local);
WindowWork RunUntilTimeBranch(WorkerLocal& local);

// What is left of the until-time countdown at `now`, negative in the overtime; the lock is held.
// The UI thread asks it too, at the arming and for the taskbar, with its own kept zone.
int32_t UntilTimeRemainingLocked(const ZonedClock& now);
