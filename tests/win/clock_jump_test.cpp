// The local clock jumps forward and back by hours (daylight saving, a user or a time server
// setting it) while an until-time countdown is armed. Whatever the jumps, every readout the
// worker writes is a well-formed, non-negative time, the target is at most two days away, and
// the run state, highlight and readout agree.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "run_control.h"
#include "test_support.h"

namespace {

const std::regex kReadoutForm("^[0-9]{2,}:[0-5][0-9]:[0-5][0-9](\\.[0-9]{3}| {4})$");

// Driven local time as milliseconds since a Sunday midnight.
void SetLocalTimeMs(int64_t ms) {
    const int64_t day = ms / 86400000;
    const int64_t ofDay = ms % 86400000;
    SetDrivenLocalTime(static_cast<int>(ofDay / 3600000), static_cast<int>(ofDay / 60000 % 60),
                       static_cast<int>(ofDay / 1000 % 60), static_cast<int>(ofDay % 1000),
                       static_cast<int>(day % 7));
}

}  // namespace

TEST(ClockJumps, AnArmedUntilTimeCountdownAlwaysShowsAWellFormedTime) {
    ResetTimerState();
    DriveTime();
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.alwaysOnTop = false;
    WorkerLocal local;
    BeginTickWorker(local);
    std::mt19937 random(20261208);
    int64_t now = 10 * 86400000LL + 10 * 3600000LL;  // a Wednesday, 10:00
    int jumps = 0, runOuts = 0, rearms = 0, malformed = 0, tooFar = 0, disagreements = 0;
    for (const bool overtime : {true, false}) {
        timerState.timeoutContinue = overtime;
        timerState.countdownToTime = 12 * 3600;
        SetLocalTimeMs(now);
        ResetTimer();
        StartPauseResume();  // armed for 12:00 today
        for (int step = 0; step < 4000; ++step) {
            if (random() % 40 == 0) {
                // A jump of 1 to 30 hours either way, to any millisecond.
                const int64_t hours = 1 + random() % 30;
                const int64_t jump = hours * 3600000 + random() % 3600000;
                now += (random() % 2) ? jump : -jump;
                if (now < 86400000) now += 7 * 86400000LL;
                ++jumps;
            } else {
                now += 2 + random() % 50;
            }
            if (random() % 100 == 0) timerState.showMilliseconds = !timerState.showMilliseconds;
            SetLocalTimeMs(now);
            Driven().tick += 2;
            const bool wasExpired = timerState.expired;
            RunWorkerIteration(local);
            if (!wasExpired && timerState.expired) ++runOuts;

            const std::string text = DisplayText();
            if (!std::regex_match(text, kReadoutForm)) {
                if (++malformed < 5) ADD_FAILURE() << "malformed readout \"" << text << "\"";
            } else if (std::stoi(text) >= 48) {
                if (++tooFar < 5) ADD_FAILURE() << "target too far: " << text;
            }
            if (timerState.runState == RunState::Idle && text != "00:00:00.000" &&
                text != "00:00:00    ")
                ++disagreements;
            if (timerState.expired && timerState.highlight != HighlightState::Expired)
                ++disagreements;
            // During an overtime the user presses start, which clears the expiry: the alarm
            // comes again while the target is still behind.
            if (timerState.expired && timerState.runState == RunState::Running &&
                random() % 30 == 0)
                StartPauseResume();
            // After a run-out without overtime, the user sets a new target and starts again.
            if (timerState.runState == RunState::Idle && random() % 20 == 0) {
                timerState.countdownToTime = random() % 86400;
                ResetTimer();
                StartPauseResume();
                ++rearms;
            }
        }
    }
    PumpMessages();
    printf(
        "%d clock jumps, %d run-outs, %d re-arms: %d malformed, %d beyond two days, %d "
        "disagreements\n",
        jumps, runOuts, rearms, malformed, tooFar, disagreements);
    EXPECT_EQ(malformed, 0);
    EXPECT_EQ(tooFar, 0);
    EXPECT_EQ(disagreements, 0);
    EXPECT_GT(jumps, 100);
    EXPECT_GT(runOuts, 10);
    timerState.alwaysOnTop = true;
    ResetTimer();
}
