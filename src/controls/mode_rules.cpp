#include "mode_rules.h"

#include "run_rules.h"

ModeRow ModeRowFor(TimerMode mode) {
    switch (mode) {
        case TimerMode::Stopwatch:
            return {true, true, false, true};
        case TimerMode::Countdown:
            return {true, true, true, true};
        case TimerMode::Clock:
            break;
    }
    return {false, false, false, false};
}

int FormatStillReadout(ReadoutBuffer buffer, const StillTimer& timer) {
    if (timer.runState == RunState::Paused) {
        const uint64_t shown =
            PausedReadoutValue(timer.mode, timer.countdownFixSeconds, timer.accumulatedMs);
        return FormatMillisecondsReadout(buffer, shown, timer.showMilliseconds);
    }
    return FormatIdleReadout(buffer, timer.mode, timer.kind, timer.countdownFixSeconds,
                             timer.showMilliseconds);
}
