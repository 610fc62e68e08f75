#include "taskbar_rules.h"

#include <algorithm>

TaskbarProgress TaskbarProgressFor(const ProgressSnapshot& timer) {
    constexpr TaskbarProgress kNone = {TaskbarBar::NoProgress, 0, 0};
    if (timer.mode != TimerMode::Countdown) return kNone;
    // A countdown of length 0 has run out at its start: a bar of one unit keeps it full.
    const uint64_t total = timer.totalMs > 0 ? static_cast<uint64_t>(timer.totalMs) : 1;
    const TaskbarProgress full = {TaskbarBar::Error, total, total};
    // Without overtime the run-out leaves the countdown idle, still red.
    if (timer.expired) return full;
    if (timer.runState == RunState::Idle) return kNone;
    const uint64_t counted =
        timer.countedMs <= 0 ? 0 : std::min(static_cast<uint64_t>(timer.countedMs), total);
    if (timer.runState == RunState::Paused) return {TaskbarBar::Paused, counted, total};
    // At zero before the worker has seen it (at most one iteration), or an until-time overtime
    // whose red a start press has just cleared and the worker is about to set again: red at
    // once rather than a green bar for a moment.
    if (timer.countedMs >= timer.totalMs) return full;
    return {TaskbarBar::Normal, counted, total};
}
