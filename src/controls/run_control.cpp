#include "run_control.h"

#include "button_captions.h"
#include "control_focus.h"
#include "control_marks.h"
#include "mode_rules.h"
#include "readout.h"
#include "readout_events.h"
#include "resource_ids.h"
#include "run_rules.h"
#include "sound.h"
#include "time_source.h"
#include "timer_state.h"
#include "timing_rules.h"
#include "worker_branches.h"

namespace {

// A pause: show the banked value, then bank it, then mark the timer paused. The caller holds the
// lock, so the worker never sees the new total with the old segment start, and never overwrites
// the snapshot with a running value.
void PauseLocked() {
    const uint64_t counted = CountedTime(RunState::Running, timerState.accumulatedMs,
                                         timerState.segmentStartTick, ReadTick());
    ReadoutBuffer text = {};
    const uint64_t shown =
        PausedReadoutValue(timerState.mode, timerState.countdownFixSeconds, counted);
    SetDisplayText(text, FormatMillisecondsReadout(text, shown, timerState.showMilliseconds));
    timerState.accumulatedMs = counted;
    timerState.runState = RunState::Paused;
}

// Returns the new caption of the start button, or null when it keeps its caption.
const wchar_t* StartPressLocked() {
    timerState.expired = false;
    timerState.highlight = HighlightState::Normal;
    switch (ChooseStartPress(timerState.mode, timerState.countdownKind, timerState.runState)) {
        case StartPress::ArmUntilTime: {
            const ZonedClock now = ReadZonedClockOnUiThread();
            timerState.armedUtcMs = now.utcMs;
            timerState.targetWeekday =
                static_cast<uint16_t>(ArmTargetWeekday(timerState.countdownToTime, ReadWallTime()));
            timerState.untilTimeTotalMs = UntilTimeRemainingLocked(now);
            timerState.runState = RunState::Running;
            return nullptr;
        }
        case StartPress::KeepUntilTime:
            return nullptr;
        case StartPress::StartOrResume:
            // The segment start is stored before the run state turns Running.
            timerState.segmentStartTick = ReadTick();
            timerState.runState = RunState::Running;
            return L"暂停";
        case StartPress::Pause:
            PauseLocked();
            return L"继续";
    }
    return nullptr;
}

}  // namespace

void EnableModeControls(bool enabled) {
    EnableControl(timerState.clockRadio, enabled);
    EnableControl(timerState.stopwatchRadio, enabled);
    EnableControl(timerState.countdownRadio, enabled);
    EnableControl(timerState.setButton, enabled);
    EnableMenuEntry(IDM_CLOCK_MODE, enabled);
    EnableMenuEntry(IDM_STOPWATCH_MODE, enabled);
    EnableMenuEntry(IDM_COUNTDOWN_MODE, enabled);
}

void StartPauseResume() {
    EnableModeControls(false);
    // The sound stops before the state changes, and outside the lock: stopped afterwards, it
    // would cut off a chime or a replayed alarm that the worker starts in between from the new
    // state, and whose mark the worker has already spent.
    StopSound();
    const wchar_t* caption;
    bool paused;
    {
        StateLock lock;
        caption = StartPressLocked();
        paused = timerState.runState == RunState::Paused;
    }
    // Window calls only after the lock is released.
    if (caption) SetStartCaption(caption);
    InvalidateReadout();
    if (timerState.mode == TimerMode::Countdown) RequestProgressUpdate();
    // Only a pause writes the readout here; a start leaves it to the worker.
    AnnounceReadoutName(paused);
}

void ResetTimer() {
    EnableModeControls(true);
    {
        StateLock lock;
        timerState.runState = RunState::Idle;
        timerState.expired = false;
        timerState.highlight = HighlightState::Normal;
        timerState.accumulatedMs = 0;
        WriteIdleReadout();
    }
    SetStartCaption(L"开始");
    InvalidateReadout();
    // A countdown's bar goes; the stopwatch never had one.
    if (timerState.mode == TimerMode::Countdown) RequestProgressUpdate();
    AnnounceReadoutName(true);
    StopSound();
    SetFocus(timerState.startButton);
}
