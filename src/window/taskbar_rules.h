// What the taskbar button shows of a countdown: its bar's state and how far it has come. No
// <windows.h>: the host tests compile this.
#pragma once

#include <cstdint>

#include "timer_types.h"

// The numbers are those of the taskbar's TBPFLAG, so the shell hands them on unchanged.
enum class TaskbarBar : int32_t {
    NoProgress = 0,
    Normal = 2,  // green, growing
    Error = 4,   // red: run out, and all through the overtime
    Paused = 8,  // yellow, standing
};

struct TaskbarProgress {
    TaskbarBar bar;
    uint64_t completed;  // of total; both 0 with no bar
    uint64_t total;
};

inline bool operator==(const TaskbarProgress& a, const TaskbarProgress& b) {
    return a.bar == b.bar && a.completed == b.completed && a.total == b.total;
}
inline bool operator!=(const TaskbarProgress& a, const TaskbarProgress& b) {
    return !(a == b);
}

// The timer as the UI thread read it under the lock. A fixed countdown counts its counted time
// against its length; an until-time one the time since it was armed against the time from the
// arming to the target. The count may lie below zero or past the total when the clock is set back
// or the target has passed.
struct ProgressSnapshot {
    TimerMode mode;
    RunState runState;
    bool expired;
    int64_t countedMs;
    int64_t totalMs;
};

// A countdown running: its share so far; paused: the same, standing; run out, all through the
// overtime and until a start press or a reset clears the red: full and red. Nothing for the clock,
// the stopwatch and an idle countdown.
TaskbarProgress TaskbarProgressFor(const ProgressSnapshot& timer);
