// The UI thread starts, pauses and resets in a tight loop while the real worker thread runs:
// afterwards no millisecond is lost or counted twice, the worker never overwrites a pause
// snapshot, and nothing hangs.
#include <gtest/gtest.h>

#include <random>

#include "readout.h"
#include "run_control.h"
#include "test_support.h"

namespace {

std::string Expected(uint64_t milliseconds) {
    ReadoutBuffer text = {};
    FormatMillisecondsReadout(text, milliseconds, true);
    return text;
}

}  // namespace

TEST(Stress, StartPauseResetAgainstTheRunningWorker) {
    ResetTimerState();
    DriveTime();
    timerState.mode = TimerMode::Stopwatch;
    timerState.showMilliseconds = true;
    ResetTimer();
    HANDLE worker = StartWorker();

    std::mt19937 random(20261208);
    uint64_t banked = 0;  // what the test itself has counted
    uint64_t segmentStart = 0;
    bool running = false;
    int pauses = 0, resets = 0, snapshotMismatches = 0;
    const ULONGLONG deadline = GetTickCount64() + 6000;
    int operations = 0;
    for (; operations < 8000 && GetTickCount64() < deadline; ++operations) {
        Driven().tick += 1 + random() % 7;
        const unsigned choice = random() % 16;
        if (choice == 0) {
            ResetTimer();
            banked = 0;
            running = false;
            ++resets;
            ASSERT_EQ(DisplayText(), "00:00:00.000");
        } else if (choice < 9) {
            const uint64_t tick = Driven().tick;
            StartPauseResume();
            if (running) {
                banked += tick - segmentStart;
                ++pauses;
                ASSERT_EQ(timerState.accumulatedMs, banked);
                ASSERT_EQ(timerState.runState, RunState::Paused);
            } else {
                segmentStart = tick;
            }
            running = !running;
        }
        PumpMessages();
        // While paused the readout must stay the snapshot, whatever the worker was doing.
        if (!running && DisplayText() != Expected(banked)) ++snapshotMismatches;
    }
    StopWorker(worker);
    EXPECT_EQ(snapshotMismatches, 0);
    EXPECT_GT(pauses, 100);
    EXPECT_GT(resets, 10);
    RecordProperty("operations", operations);
    printf("stress: %d operations, %d pauses, %d resets\n", operations, pauses, resets);
}

TEST(Stress, CountdownsRunningOutOnTheWorkerWhileTheUiPresses) {
    PrepareCountdownOfNoLength();
    HANDLE worker = StartWorker();
    const ULONGLONG deadline = GetTickCount64() + 4000;
    int runOuts = 0;
    for (int i = 0; i < 600 && GetTickCount64() < deadline; ++i) {
        StartPauseResume();
        // The worker relabels the button from its own thread; the UI keeps pumping, so neither
        // side waits on the other while holding the lock.
        if (PumpUntil([] { return timerState.runState == RunState::Idle; }, 2000)) ++runOuts;
        Driven().tick += 3;
        if (i % 10 == 0) ResetTimer();
    }
    StopWorker(worker);
    EXPECT_GT(runOuts, 50);
    EXPECT_TRUE(PumpUntil([] { return WindowText(timerState.startButton) == L"开始"; }, 2000));
}
