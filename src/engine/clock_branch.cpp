#include "chime_rules.h"
#include "time_source.h"
#include "timer_state.h"
#include "worker_branches.h"

WindowWork RunClockBranch(WorkerLocal& local) {
    // One reading serves the readout and the chime.
    const WallTime now = ReadWallTime();
    SetDisplayText(local.buffer,
                   FormatClockReadout(local.buffer, now, timerState.showMilliseconds));

    const ClockChime chime = ClockChimeRule(now.minute, local.chimeLatch, timerState.highlight);
    timerState.highlight = chime.highlight;
    local.chimeLatch = chime.latch;

    WindowWork work;
    work.chimeSound = chime.sound;
    work.invalidate = true;
    return work;
}
