// The sounds as they reach the audio device: ALSA's file plugin records the last stream that
// Wine played into one WAV file (ZELVIK_SOUND_CAPTURE), which is read back here.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "resource_ids.h"
#include "run_control.h"
#include "sound.h"
#include "time_source.h"
#include "test_support.h"

namespace {

struct Captured {
    uint32_t rate = 0;
    uint32_t frames = 0;
};

std::wstring CapturePath() {
    const char* linux = getenv("ZELVIK_SOUND_CAPTURE");
    if (!linux) return L"";
    std::wstring path = L"Z:";
    for (const char* c = linux; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// The rate from the header; the frames from the data that was written (the plugin fixes the
// header's sizes only when the stream closes).
Captured ReadCapture() {
    Captured captured;
    HANDLE file = CreateFileW(CapturePath().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return captured;
    unsigned char header[44] = {};
    DWORD read = 0;
    ReadFile(file, header, sizeof header, &read, nullptr);
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    if (read < sizeof header || memcmp(header, "RIFF", 4) != 0) return captured;
    uint16_t channels, bits;
    memcpy(&channels, header + 22, 2);
    memcpy(&captured.rate, header + 24, 4);
    memcpy(&bits, header + 34, 2);
    captured.frames = (size - 44) / (channels * bits / 8);
    return captured;
}

class Sounds : public ::testing::Test {
protected:
    void SetUp() override {
        if (CapturePath().empty()) GTEST_SKIP() << "no sound capture configured";
        ResetTimerState();
        DriveTime();
        BeginTickWorker(local);
        timerState.mode = TimerMode::Countdown;
        timerState.countdownFixSeconds = 1;
        ResetTimer();
        DeleteFileW(CapturePath().c_str());
    }
    void RunOut() {
        StartPauseResume();
        Driven().tick += 1000;
        RunWorkerIteration(local);
        ASSERT_TRUE(timerState.expired);
    }
    WorkerLocal local;
};

}  // namespace

TEST_F(Sounds, ACountdownRunOutPlaysTheWholeAlarm) {
    RunOut();
    Sleep(4500);  // the alarm lasts about 3.2 s
    const Captured captured = ReadCapture();
    EXPECT_EQ(captured.rate, 11025u);
    EXPECT_GE(captured.frames, 34000u);
    EXPECT_LE(captured.frames, 40000u);
}

TEST_F(Sounds, AResetDuringTheAlarmCutsItShort) {
    RunOut();
    Sleep(300);
    ResetTimer();
    Sleep(3500);  // longer than the whole alarm: what was recorded is all there is
    const Captured captured = ReadCapture();
    EXPECT_EQ(captured.rate, 11025u);
    EXPECT_GT(captured.frames, 0u);
    // The audio path buffers ahead of what is heard, so the cut comes some way after the reset,
    // but well before the alarm's 35000 frames.
    EXPECT_LT(captured.frames, 30000u) << "the alarm went on after the reset";
}

namespace {

std::atomic<bool> playOnNextTick{false};

// Stands for the worker: the transition reads the tick under the lock, and the first sound of
// the new state starts right then, before the press has finished.
uint64_t TickThatStartsTheAlarm() {
    if (playOnNextTick.exchange(false)) PlayResourceSound(IDW_ALARM);
    return Driven().tick.load();
}

void DrivenLocal(SYSTEMTIME* now) {
    *now = Driven().local;
}

}  // namespace

TEST_F(Sounds, AStartPressStopsTheOldSoundBeforeTheNewStateCanStartOne) {
    timerState.mode = TimerMode::Stopwatch;
    ResetTimer();
    PlayResourceSound(IDW_FIVE_MINUTES);
    Sleep(300);
    playOnNextTick = true;
    SetTimeReaders(TickThatStartsTheAlarm, DrivenLocal);
    StartPauseResume();
    DriveTime();
    EXPECT_FALSE(playOnNextTick) << "the press did not read the tick";
    EXPECT_EQ(timerState.runState, RunState::Running);
    Sleep(4500);  // the alarm lasts about 3.2 s
    const Captured captured = ReadCapture();
    EXPECT_EQ(captured.rate, 11025u) << "the alarm was not the last sound heard";
    EXPECT_GE(captured.frames, 34000u) << "the press cut off the alarm that started after it";
    ResetTimer();
}
