// Once running, the real worker iteration (the branch, SetDisplayText, the invalidation, the
// keeper) and the paint handler's text handling allocate nothing, in every mode and form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "allocation_counter.h"
#include "run_control.h"
#include "test_support.h"

namespace {

// Moves the driven tick and wall clock on together, so every branch sees time pass.
void AdvanceDriven(int ms) {
    Driven().tick += static_cast<uint64_t>(ms);
    SYSTEMTIME& now = Driven().local;
    int milliseconds = now.wMilliseconds + ms;
    int second = now.wSecond + milliseconds / 1000;
    int minute = now.wMinute + second / 60;
    int hour = (now.wHour + minute / 60) % 24;
    SetDrivenLocalTime(hour, minute % 60, second % 60, milliseconds % 1000, now.wDayOfWeek);
}

// Runs iterations and some paints over `ms` of driven time after a warm-up, counting allocations.
long AllocationsWhileRunning(int ms) {
    WorkerLocal local;
    BeginTickWorker(local);
    RunWorkerIteration(local);
    UpdateWindow(timerState.mainWindow);
    PumpMessages();
    CountAllocations counting;
    for (int elapsed = 0; elapsed < ms; elapsed += 2) {
        AdvanceDriven(2);
        RunWorkerIteration(local);
        // The paint handler, synchronously; not every time, as each paint waits for the X server.
        if (elapsed % 40 == 0) UpdateWindow(timerState.mainWindow);
    }
    const long count = counting.Count();
    PumpMessages();
    return count;
}

}  // namespace

TEST(WorkerAllocation, TheCounterSeesMallocNewAndStrings) {
    CountAllocations counting;
    void* volatile block = malloc(24);
    free(block);
    int* volatile number = new int(3);
    delete number;
    std::string text(64, 'x');
    const char* volatile characters = text.c_str();
    EXPECT_EQ(characters[0], 'x');
    EXPECT_GE(counting.Count(), 3);
}

TEST(WorkerAllocation, NoneInAnyModeOrForm) {
    ResetTimerState();
    DriveTime();
    timerState.alwaysOnTop = true;  // the keeper raises the window now and then
    for (const bool milliseconds : {false, true}) {
        SCOPED_TRACE(milliseconds ? "millisecond form" : "plain form");
        timerState.showMilliseconds = milliseconds;

        SetDrivenLocalTime(10, 29, 58, 0);  // through the half-hour chime
        timerState.mode = TimerMode::Clock;
        EXPECT_EQ(AllocationsWhileRunning(4000), 0) << "clock";

        timerState.mode = TimerMode::Stopwatch;
        ResetTimer();
        StartPauseResume();
        EXPECT_EQ(AllocationsWhileRunning(4000), 0) << "stopwatch";
        StartPauseResume();  // paused: the worker only samples the tick
        EXPECT_EQ(AllocationsWhileRunning(1000), 0) << "paused stopwatch";

        timerState.mode = TimerMode::Countdown;
        timerState.countdownKind = CountdownKind::FixedDuration;
        timerState.countdownFixSeconds = 3;
        timerState.timeoutContinue = true;
        ResetTimer();
        StartPauseResume();
        EXPECT_EQ(AllocationsWhileRunning(5000), 0) << "fixed countdown through its run-out";

        timerState.countdownKind = CountdownKind::UntilTime;
        SetDrivenLocalTime(10, 29, 58, 0);
        timerState.countdownToTime = 10 * 3600 + 30 * 60;
        ResetTimer();
        StartPauseResume();
        EXPECT_EQ(AllocationsWhileRunning(4000), 0) << "until-time countdown past its target";
        ResetTimer();
    }
    timerState.countdownKind = CountdownKind::FixedDuration;
}
