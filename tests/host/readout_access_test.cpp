#include "readout_access.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    TimerMode mode;
    RunState runState;
    bool expired;
    const wchar_t* name;
};

constexpr TimerMode kClock = TimerMode::Clock;
constexpr TimerMode kStopwatch = TimerMode::Stopwatch;
constexpr TimerMode kCountdown = TimerMode::Countdown;
constexpr RunState kIdle = RunState::Idle;
constexpr RunState kRunning = RunState::Running;
constexpr RunState kPaused = RunState::Paused;

const NameCase kNames[] = {
    {kClock, kIdle, false, L"时间"},
    {kClock, kIdle, true, L"时间"},  // left from a countdown until the next reset
    {kStopwatch, kIdle, false, L"秒表"},
    {kStopwatch, kRunning, false, L"秒表 计时中"},
    {kStopwatch, kPaused, false, L"秒表 已暂停"},
    {kCountdown, kIdle, false, L"倒计时"},
    {kCountdown, kRunning, false, L"倒计时 计时中"},
    {kCountdown, kPaused, false, L"倒计时 已暂停"},
    {kCountdown, kIdle, true, L"倒计时 时间到"},     // run out, no overtime
    {kCountdown, kRunning, true, L"倒计时 时间到"},  // counting the overtime
};

std::wstring Value(const char* readout, size_t capacity = 20) {
    wchar_t out[20] = {L'?'};
    const size_t length = ReadoutAccessValue(readout, out, capacity);
    EXPECT_EQ(length, std::wstring(out).size());
    return out;
}

}  // namespace

TEST(ReadoutAccess, NameFromModeRunStateAndExpiry) {
    for (const NameCase& c : kNames)
        EXPECT_STREQ(ReadoutAccessName(c.mode, c.runState, c.expired), c.name)
            << static_cast<int>(c.mode) << " " << static_cast<int>(c.runState) << " " << c.expired;
}

TEST(ReadoutAccess, ValueIsTheReadoutWithoutItsTrailingBlanks) {
    EXPECT_EQ(Value("12:34:56    "), L"12:34:56");
    EXPECT_EQ(Value("00:04:59.123"), L"00:04:59.123");
    EXPECT_EQ(Value("100:00:00.001"), L"100:00:00.001");
    EXPECT_EQ(Value(""), L"");
    EXPECT_EQ(Value("12:34:56    ", 6), L"12:34");
}
