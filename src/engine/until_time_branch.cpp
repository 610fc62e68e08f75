#include "chime_rules.h"
#include "time_source.h"
#include "timer_state.h"
#include "timing_rules.h"
#include "worker_branches.h"

int32_t UntilTimeRemainingLocked(const ZonedClock& now) {
    // Real time to the target, through UTC: on a night the clock changes, the wall clock alone
    // would be an hour off and an overtime would turn back into a countdown. Where the system
    // cannot say its zone, the wall clock is all there is.
    return now.zoneKnown
               ? ZonedUntilTimeRemaining(timerState.countdownToTime, timerState.targetWeekday,
                                         timerState.armedUtcMs, now.utcMs, now.zone)
               : UntilTimeRemaining(timerState.countdownToTime, timerState.targetWeekday,
                                    ReadWallTime());
}

WindowWork RunUntilTimeBranch(WorkerLocal& local) {
    const int32_t remaining = UntilTimeRemainingLocked(ReadZonedClock(local.zone));
    const bool showMilliseconds = timerState.showMilliseconds;

    WindowWork work;
    work.invalidate = true;
    if (remaining > 0) {
        SetDisplayText(local.buffer,
                       FormatSigned32Readout(local.buffer, remaining, showMilliseconds));
        // remaining is positive here, so the index is too.
        work.chimeSound =
            ApplyMarkRule(local, static_cast<uint64_t>(UntilTimeMarkIndex(remaining)));
        return work;
    }

    // The target has come. The alarm sounds once per expiry; a press of the start button clears
    // expired, so an overtime that is still running sounds it again at the next iteration.
    work.runOut = !timerState.expired;
    timerState.expired = true;
    timerState.highlight = HighlightState::Expired;
    if (timerState.timeoutContinue) {
        // Overtime counts up from the target; the marks are not applied and the latch is kept.
        SetDisplayText(local.buffer,
                       FormatSigned32Readout(local.buffer, -remaining, showMilliseconds));
    } else {
        timerState.runState = RunState::Idle;
        SetDisplayText(ZeroReadout(showMilliseconds), 12);
        work.enableStart = true;
    }
    return work;
}
