// The one record of state shared by the UI thread and the tick worker.
//
// Threading: flags and enumerations are std::atomic and read or written whole by either thread.
// displayText and the counters (accumulatedMs, nowTick, segmentStartTick, armedUtcMs,
// untilTimeTotalMs) are guarded by stateLock (see StateLock); so is the scaled layout, which
// only the UI thread writes and the worker reads for the readout band it invalidates. A run-state
// transition on the UI thread and one worker iteration each hold the lock across all their reads
// and writes of the counters, the run state and the readout, so each appears atomic to the other.
// The lock is never held while calling into a window: the worker's SetWindowTextW, FlashWindowEx
// or SetForegroundWindow wait for the UI thread, and the UI thread may be waiting for the lock.
// Nor is it held across a call of the taskbar's, which may wait for Explorer.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "display_scale.h"
#include "timer_types.h"

constexpr size_t kDisplayTextCapacity = 32;  // readouts are at most 19 characters

struct TimerState {
    std::atomic<TimerMode> mode{TimerMode::Clock};
    std::atomic<RunState> runState{RunState::Idle};
    std::atomic<CountdownKind> countdownKind{CountdownKind::FixedDuration};
    std::atomic<CountdownKind> pendingCountdownKind{CountdownKind::FixedDuration};
    std::atomic<uint32_t> countdownFixSeconds{0};
    std::atomic<uint32_t> countdownToTime{0};
    std::atomic<bool> timeoutContinue{true};
    std::atomic<bool> alwaysOnTop{true};
    std::atomic<bool> showMilliseconds{false};
    std::atomic<bool> compactMode{false};
    std::atomic<bool> quitRequested{false};
    std::atomic<bool> expired{false};
    std::atomic<uint16_t> targetWeekday{0};
    std::atomic<bool> menuOpen{false};
    std::atomic<HighlightState> highlight{HighlightState::Normal};

    // Guarded by stateLock.
    uint64_t accumulatedMs = 0;
    uint64_t nowTick = 0;
    uint64_t segmentStartTick = 0;
    // When the until-time countdown was armed, UTC milliseconds: on the night the clock falls
    // back, a target in the repeated hour that had already shown once then comes at its second
    // showing, not at once.
    int64_t armedUtcMs = 0;
    // From the arming to the target, in real time: what the taskbar button's bar counts against.
    int32_t untilTimeTotalMs = 0;
    char displayText[kDisplayTextCapacity] = "00:00:00.000";
    // Every pixel figure at the main window's DPI: set at creation and when the window moves to
    // a display of another scale. Written under the lock; the UI thread reads it without.
    ScaledLayout layout = ScaleLayout(kLayoutDpi);
    CRITICAL_SECTION stateLock;

    // The settings file beside the executable (UTF-16, so any folder name works).
    std::wstring configPath;

    // Set at start-up and window creation, on the UI thread, before the worker starts.
    HWND mainWindow = nullptr;
    HINSTANCE instance = nullptr;
    HMENU popupMenu = nullptr;
    HFONT displayFont = nullptr;
    HFONT controlFont = nullptr;  // kept to be replaced when the DPI changes
    HBRUSH backgroundBrush = nullptr;
    HWND startButton = nullptr;
    HWND resetButton = nullptr;
    HWND topCheck = nullptr;
    HWND msCheck = nullptr;
    HWND setButton = nullptr;
    HWND stopwatchRadio = nullptr;
    HWND countdownRadio = nullptr;
    HWND clockRadio = nullptr;
    std::vector<HWND> tabOrder;
    WNDPROC buttonProc = nullptr;
    // Reshapes the window to the readout's width (the compact strip), which belongs to the
    // window; the start-up hands it in so the millisecond form's switch can call it from below.
    void (*fitOutlineToReadout)() = nullptr;
};

extern TimerState timerState;

// Makes the lock and the background brush. Called once, first thing in the process, before any
// thread or window touches the state: until then the lock cannot be entered.
void PrepareTimerState();

// Holds stateLock for its scope. The critical section is re-entrant, so SetDisplayText may be
// called inside a transition that already holds it.
struct StateLock {
    StateLock() { EnterCriticalSection(&timerState.stateLock); }
    ~StateLock() { LeaveCriticalSection(&timerState.stateLock); }
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;
};

// Replaces the readout with `length` bytes of `text`.
void SetDisplayText(const char* text, int length);
// The mode's starting readout in the current form: a fixed countdown's length, otherwise zero.
// Takes the state lock (re-entrant, so a transition that holds it may call this).
void WriteIdleReadout();
// Copies the readout out, for painting and tests.
void CopyDisplayText(char (&out)[kDisplayTextCapacity]);
// Invalidates the readout band of the main window without erasing (never under the lock). The
// UI thread, which alone changes the band, uses the first; the worker passes the band it copied
// in its locked section.
void InvalidateReadout();
void InvalidateReadoutBand(const RECT& band);

// Asks the UI thread to bring the taskbar button's progress up to date. Posted, so either thread
// may ask, but never under the lock.
void RequestProgressUpdate();

// The readout band at the window's scale (on the UI thread, or under the lock).
RECT DisplayRect();
// Makes `layout` the main window's; UI thread only.
void SetLayout(const ScaledLayout& layout);
