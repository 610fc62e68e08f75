#include "mode_control.h"

#include "control_focus.h"
#include "control_marks.h"
#include "mode_rules.h"
#include "readout_events.h"
#include "resource_ids.h"
#include "run_control.h"
#include "timer_state.h"

namespace {

// Under the lock: the new form and the readout written in it appear together to the worker, and
// the run state cannot change between the choice and the write. Returns whether it wrote.
bool FlipFormAndRewrite() {
    StateLock lock;
    const bool showMilliseconds = !timerState.showMilliseconds;
    timerState.showMilliseconds = showMilliseconds;
    const RunState runState = timerState.runState;
    if (!ToggleRewritesReadout(runState)) return false;
    const StillTimer timer = {timerState.mode,
                              timerState.countdownKind,
                              runState,
                              timerState.countdownFixSeconds,
                              timerState.accumulatedMs,
                              showMilliseconds};
    ReadoutBuffer text = {};
    SetDisplayText(text, FormatStillReadout(text, timer));
    return true;
}

}  // namespace

void SwitchMode(TimerMode newMode) {
    timerState.mode = newMode;
    const ModeRow row = ModeRowFor(newMode);
    if (row.writesReadout) {
        WriteIdleReadout();
        InvalidateReadout();
    }
    // The clock's readout is the worker's, which tells of its next second itself.
    AnnounceReadoutName(row.writesReadout);
    EnableControl(timerState.startButton, row.runControlsEnabled);
    EnableControl(timerState.resetButton, row.runControlsEnabled);
    ShowControl(timerState.setButton, row.setButtonShown);
    // After enabling: a disabled button cannot take the focus.
    if (row.focusesStart) SetFocus(timerState.startButton);
    CheckMenuEntry(IDM_CLOCK_MODE, newMode == TimerMode::Clock);
    CheckMenuEntry(IDM_STOPWATCH_MODE, newMode == TimerMode::Stopwatch);
    CheckMenuEntry(IDM_COUNTDOWN_MODE, newMode == TimerMode::Countdown);
    // A click on an auto radio button checks it before the command arrives; the menu does not,
    // so all three are set either way.
    SetCheck(timerState.clockRadio, newMode == TimerMode::Clock);
    SetCheck(timerState.stopwatchRadio, newMode == TimerMode::Stopwatch);
    SetCheck(timerState.countdownRadio, newMode == TimerMode::Countdown);
    EnableMenuEntry(IDM_START, row.runControlsEnabled);
    EnableMenuEntry(IDM_RESET, row.runControlsEnabled);
}

void ToggleMilliseconds() {
    // The clock's zero stands only until the worker writes the time in the new form, and the
    // worker tells of that itself, as it does for a running timer.
    const bool rewritten = FlipFormAndRewrite() && timerState.mode != TimerMode::Clock;
    const bool showMilliseconds = timerState.showMilliseconds;
    // The strip's width follows the form.
    if (timerState.fitOutlineToReadout) timerState.fitOutlineToReadout();
    InvalidateReadout();
    if (rewritten) AnnounceReadout(EVENT_OBJECT_VALUECHANGE);
    SetCheck(timerState.msCheck, showMilliseconds);
    CheckMenuEntry(IDM_MILLISECONDS, showMilliseconds);
}
