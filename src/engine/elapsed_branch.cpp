#include "chime_rules.h"
#include "resource_ids.h"
#include "timer_state.h"
#include "timing_rules.h"
#include "worker_branches.h"

int ApplyMarkRule(WorkerLocal& local, uint64_t markIndex) {
    const MarkChime mark = MarkChimeRule(markIndex, local.chimeLatch);
    local.chimeLatch = mark.latch;
    return mark.sound ? IDW_FIVE_MINUTES : 0;
}

WindowWork RunElapsedBranch(WorkerLocal& local) {
    ElapsedInput input;
    input.mode = timerState.mode;
    input.timeoutContinue = timerState.timeoutContinue;
    input.expired = timerState.expired;
    input.accumulatedMs = timerState.accumulatedMs;
    input.segmentStartTick = timerState.segmentStartTick;
    input.nowTick = timerState.nowTick;
    input.countdownFixSeconds = timerState.countdownFixSeconds;
    const ElapsedStep step = StepElapsed(input);

    WindowWork work;
    if (step.runOut) {
        timerState.expired = true;
        timerState.highlight = HighlightState::Expired;
        timerState.accumulatedMs = 0;
        timerState.segmentStartTick = step.segmentStartTick;
        if (!step.keepsRunning) timerState.runState = RunState::Idle;
        work.runOut = true;
        work.relabelStart = true;
    }
    work.chimeSound = ApplyMarkRule(local, step.markIndex);
    SetDisplayText(local.buffer, FormatMillisecondsReadout(local.buffer, step.shown,
                                                           timerState.showMilliseconds));
    work.invalidate = true;
    return work;
}
