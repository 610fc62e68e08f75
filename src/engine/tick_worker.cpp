#include "tick_worker.h"

#include <cstring>

#include "alarm_flash.h"
#include "button_captions.h"
#include "keeper_rules.h"
#include "readout_events.h"
#include "resource_ids.h"
#include "sound.h"
#include "time_source.h"
#include "timer_state.h"
#include "worker_branches.h"

namespace {

WindowWork RunBranch(WorkerLocal& local) {
    const TimerMode mode = timerState.mode;
    if (mode == TimerMode::Clock) return RunClockBranch(local);
    // Stopped or paused timers keep whatever the controls last wrote.
    if (timerState.runState != RunState::Running) return {};
    if (mode == TimerMode::Countdown && timerState.countdownKind != CountdownKind::FixedDuration)
        return RunUntilTimeBranch(local);
    return RunElapsedBranch(local);
}

// Called without the lock: each of these may wait for the UI thread.
void DoWindowWork(const WindowWork& work, WorkerLocal& local, uint64_t nowTick) {
    HWND window = timerState.mainWindow;
    if (work.runOut) {
        PlayResourceSound(IDW_ALARM);
        if (work.relabelStart) SetStartCaption(L"开始");
        FlashForAlarm(local, nowTick);
        SetForegroundWindow(window);
    }
    if (work.chimeSound) {
        PlayResourceSound(work.chimeSound);
        SetForegroundWindow(window);
    }
    // The worker only ever enables a control or relabels one, so the focus never has to move
    // from here; it could not anyway, since SetFocus acts on the calling thread's windows alone.
    if (work.enableStart) EnableWindow(timerState.startButton, TRUE);
    if (work.invalidate) InvalidateReadoutBand(work.band);
    // The taskbar is the UI thread's to call (its COM object lives there), at most once a second.
    if (work.progressDue) RequestProgressUpdate();
    // A screen reader hears the readout once a second at most, not at every rewrite; a run-out
    // it hears without the focus on the readout, named 时间到 first.
    if (work.runOut) {
        AnnounceReadout(EVENT_OBJECT_NAMECHANGE);
        AnnounceReadout(EVENT_OBJECT_VALUECHANGE);
        AnnounceReadout(kEventLiveRegionChanged);
    } else if (work.newSecond) {
        AnnounceReadout(EVENT_OBJECT_VALUECHANGE);
    }
}

void KeepOnTop(WorkerLocal& local, uint64_t nowTick) {
    HWND window = timerState.mainWindow;
    // IsWindowEnabled only reads the window's style: it never waits for the UI thread.
    const KeeperInput input = {timerState.alwaysOnTop, timerState.menuOpen,
                               IsWindowEnabled(window) != FALSE, nowTick, local.lastRaiseTick};
    if (!KeeperShouldRaise(input)) return;
    local.lastRaiseTick = nowTick;
    BringWindowToTop(window);
}

// Under the lock, after the branch: the readout it wrote against the last whole second noted.
bool NoteShownSecond(WorkerLocal& local) {
    if (SameShownSecond(local.lastShownSecond, timerState.displayText)) return false;
    ReplaceReadoutText(local.lastShownSecond, kReadoutBufferSize, timerState.displayText,
                       static_cast<int>(strnlen(timerState.displayText, kReadoutBufferSize - 1)));
    return true;
}

}  // namespace

void BeginTickWorker(WorkerLocal& local) {
    local = WorkerLocal{};
    local.lastRaiseTick = ReadTick();
}

void RunWorkerIteration(WorkerLocal& local) {
    WindowWork work;
    uint64_t nowTick;
    {
        // The tick is read under the lock, so it is never older than the segment start that a
        // transition stored just before.
        StateLock lock;
        nowTick = timerState.nowTick = ReadTick();
        work = RunBranch(local);
        work.newSecond = work.invalidate && NoteShownSecond(local);
        // Only a countdown has a bar: the clock and the stopwatch never ask.
        work.progressDue =
            work.runOut || (work.newSecond && timerState.mode == TimerMode::Countdown);
        // The band follows the window's DPI, which the UI thread changes under this lock.
        work.band = DisplayRect();
    }
    DoWindowWork(work, local, nowTick);
    EndAlarmFlash(local, nowTick);
    KeepOnTop(local, nowTick);
}

DWORD WINAPI TickWorker(LPVOID) {
    WorkerLocal local;
    BeginTickWorker(local);
    if (timerState.quitRequested) return 0;
    for (;;) {
        RunWorkerIteration(local);
        // 2 ms, so the milliseconds of a running readout move smoothly: faster than any display
        // refreshes, while the iteration's own rules cost a tiny fraction of the period (see
        // docs/performance.md). A shorter sleep would only add paints no one can see.
        Sleep(2);
        if (timerState.quitRequested) return 0;
    }
}
