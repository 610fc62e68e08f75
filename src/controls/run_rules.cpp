#include "run_rules.h"

#include "timing_rules.h"

StartPress ChooseStartPress(TimerMode mode, CountdownKind kind, RunState runState) {
    if (mode == TimerMode::Countdown && kind == CountdownKind::UntilTime)
        return runState == RunState::Idle ? StartPress::ArmUntilTime : StartPress::KeepUntilTime;
    return runState == RunState::Running ? StartPress::Pause : StartPress::StartOrResume;
}

uint64_t CountedTime(RunState runState, uint64_t accumulatedMs, uint64_t segmentStartTick,
                     uint64_t tick) {
    switch (runState) {
        case RunState::Running:
            return accumulatedMs + (tick - segmentStartTick);
        case RunState::Paused:
            return accumulatedMs;
        case RunState::Idle:
            break;
    }
    return 0;
}

uint64_t PausedReadoutValue(TimerMode mode, uint32_t countdownFixSeconds, uint64_t countedMs) {
    if (mode != TimerMode::Countdown) return countedMs;
    const uint64_t target = FixedTargetMs(countdownFixSeconds);
    return countedMs < target ? target - countedMs : 0;
}
