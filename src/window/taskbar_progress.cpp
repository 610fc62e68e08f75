#include "taskbar_progress.h"

// After <windows.h>, which they need.
#include <shobjidl.h>

#include "com_start.h"
#include "run_rules.h"
#include "system_library.h"
#include "taskbar_rules.h"
#include "time_source.h"
#include "timer_state.h"
#include "timing_rules.h"
#include "worker_branches.h"

namespace {

static_assert(static_cast<int>(TaskbarBar::NoProgress) == TBPF_NOPROGRESS &&
                  static_cast<int>(TaskbarBar::Normal) == TBPF_NORMAL &&
                  static_cast<int>(TaskbarBar::Error) == TBPF_ERROR &&
                  static_cast<int>(TaskbarBar::Paused) == TBPF_PAUSED,
              "the bar's numbers are the taskbar's");

using ChangeWindowMessageFilterExFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

// UI thread only.
struct TaskbarButton {
    UINT createdMessage = 0;
    bool listTried = false;
    ITaskbarList3* list = nullptr;
    // What the button shows now; a new button shows no bar.
    TaskbarProgress shown = {TaskbarBar::NoProgress, 0, 0};
};
TaskbarButton button;

void DropList() {
    if (button.list) button.list->Release();
    button.list = nullptr;
    button.shown = {TaskbarBar::NoProgress, 0, 0};
}

void TakeList() {
    void* made = nullptr;
    if (FAILED(CreateComObject(CLSID_TaskbarList, IID_ITaskbarList3, &made))) return;
    auto* list = static_cast<ITaskbarList3*>(made);
    if (FAILED(list->HrInit())) {
        list->Release();
        return;
    }
    button.list = list;
}

ProgressSnapshot ReadTimer() {
    // The clock is read before the lock is taken: it asks the system for the time zone.
    const bool untilTime = timerState.countdownKind == CountdownKind::UntilTime;
    const ZonedClock now = untilTime ? ReadZonedClockOnUiThread() : ZonedClock{};
    StateLock lock;
    ProgressSnapshot timer = {timerState.mode, timerState.runState, timerState.expired, 0, 0};
    if (untilTime) {
        timer.totalMs = timerState.untilTimeTotalMs;
        timer.countedMs = timer.totalMs - UntilTimeRemainingLocked(now);
    } else {
        timer.totalMs = static_cast<int64_t>(FixedTargetMs(timerState.countdownFixSeconds));
        timer.countedMs =
            static_cast<int64_t>(CountedTime(timerState.runState, timerState.accumulatedMs,
                                             timerState.segmentStartTick, ReadTick()));
    }
    return timer;
}

// Only what changed is sent: once a second while a countdown runs, twice at a change of state.
// The state comes first, since a value given to a button without a bar would make it green.
void Show(HWND window, const TaskbarProgress& progress, bool whole) {
    if (whole || progress.bar != button.shown.bar)
        button.list->SetProgressState(window, static_cast<TBPFLAG>(progress.bar));
    if (progress.bar != TaskbarBar::NoProgress && (whole || progress != button.shown))
        button.list->SetProgressValue(window, progress.completed, progress.total);
    button.shown = progress;
}

}  // namespace

void PrepareTaskbarButton(HWND window) {
    button.createdMessage = RegisterWindowMessageW(L"TaskbarButtonCreated");
    // An elevated program hears nothing from the unelevated Explorer unless it lets the message
    // in. Windows 7 and later.
    const auto allow =
        FindUser32Function<ChangeWindowMessageFilterExFunction>("ChangeWindowMessageFilterEx");
    if (allow && button.createdMessage) allow(window, button.createdMessage, MSGFLT_ALLOW, nullptr);
}

bool IsTaskbarButtonCreated(UINT message) {
    return message != 0 && message == button.createdMessage;
}

LRESULT OnTaskbarButtonCreated(HWND window) {
    // Before the first countdown start nothing is loaded for the button, and nothing needs to be.
    if (!button.listTried || !ComStarted()) return 0;
    DropList();
    TakeList();
    if (button.list) Show(window, TaskbarProgressFor(ReadTimer()), true);
    return 0;
}

LRESULT OnProgressDue(HWND window) {
    const TaskbarProgress progress = TaskbarProgressFor(ReadTimer());
    if (!button.listTried) {
        if (progress.bar == TaskbarBar::NoProgress) return 0;
        button.listTried = true;
        if (StartComOnUiThread()) TakeList();
    }
    if (button.list) Show(window, progress, false);
    return 0;
}
