// Closing, confirmation included. A close that goes through destroys the window, which exists
// once per process: each such case runs in a process of its own (see tests.cmake).
#include <gtest/gtest.h>

#include <cstring>

#include "modal_watch.h"
#include "resource_ids.h"
#include "run_control.h"
#include "startup.h"
#include "test_support.h"

namespace {

class Closing : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        DriveTime();
        ResetTimer();
    }
    // Runs the stopwatch for 65.432 s and pauses it.
    void PauseAStopwatch() {
        timerState.mode = TimerMode::Stopwatch;
        StartPauseResume();
        Driven().tick += 65432;
        StartPauseResume();
        ASSERT_EQ(timerState.runState, RunState::Paused);
    }
    void ExpectPausedUntouched() {
        EXPECT_TRUE(IsWindow(timerState.mainWindow));
        EXPECT_TRUE(IsWindowVisible(timerState.mainWindow));
        EXPECT_EQ(timerState.runState, RunState::Paused);
        EXPECT_EQ(DisplayText(), "00:01:05    ");
        StateLock lock;
        EXPECT_EQ(timerState.accumulatedMs, 65432u);
    }
};

}  // namespace

TEST_F(Closing, WhilePausedItAsksAndCancelKeepsTheWindowAndThePausedTime) {
    PauseAStopwatch();
    ModalSeen asked = AnswerModalMessage(WM_CLOSE, L"退出", IDCANCEL);
    ASSERT_TRUE(asked.appeared) << "no confirmation";
    EXPECT_EQ(asked.text, L"正在计时，确认退出？");
    EXPECT_EQ(asked.owner, timerState.mainWindow);
    EXPECT_TRUE(asked.closed);
    ExpectPausedUntouched();
}

TEST_F(Closing, TheExitEntryTakesTheSamePathWhileRunning) {
    timerState.mode = TimerMode::Countdown;
    StartPauseResume();
    ModalSeen asked = AnswerModal(IDM_EXIT, L"退出", IDCANCEL);
    ASSERT_TRUE(asked.appeared) << "no confirmation";
    EXPECT_EQ(asked.text, L"正在计时，确认退出？");
    EXPECT_TRUE(IsWindow(timerState.mainWindow));
    EXPECT_EQ(timerState.runState, RunState::Running);
    ResetTimer();
}

// The cases below end the window: each runs alone in its own process.
TEST_F(Closing, DestroyedAtOnceInClockModeEvenWithAStateLeftRunning) {
    timerState.mode = TimerMode::Clock;
    timerState.runState = RunState::Running;
    ModalSeen asked = AnswerModalMessage(WM_CLOSE, L"退出", IDCANCEL);
    EXPECT_FALSE(asked.appeared) << "asked in clock mode";
    EXPECT_FALSE(IsWindow(timerState.mainWindow));
    EXPECT_TRUE(timerState.quitRequested);
}

TEST_F(Closing, DestroyedAtOnceWithTheStopwatchReset) {
    PauseAStopwatch();
    ResetTimer();
    ModalSeen asked = AnswerModal(IDM_EXIT, L"退出", IDCANCEL);
    EXPECT_FALSE(asked.appeared) << "asked with the timer reset";
    EXPECT_FALSE(IsWindow(timerState.mainWindow));
}

TEST_F(Closing, OkWhilePausedEndsTheProgram) {
    PauseAStopwatch();
    ModalSeen asked = AnswerModalMessage(WM_CLOSE, L"退出", IDOK);
    ASSERT_TRUE(asked.appeared);
    EXPECT_FALSE(IsWindow(timerState.mainWindow));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

namespace {

BOOL WINAPI FailingGetMessage(LPMSG message, HWND, UINT, UINT) {
    // What a failed call may leave behind: the loop must not report it as an exit code.
    memset(message, 0xA5, sizeof *message);
    return -1;
}

}  // namespace

TEST(MessageLoop, AFailedFirstGetMessageGivesADefinedExitCode) {
    EXPECT_EQ(RunMessageLoopWith(FailingGetMessage, nullptr), kMessageLoopFailed);
}

TEST(MessageLoop, TheQuitMessageGivesItsExitCode) {
    PostQuitMessage(7);
    EXPECT_EQ(RunMessageLoopWith(GetMessageW, nullptr), 7);
}
