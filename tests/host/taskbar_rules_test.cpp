#include "taskbar_rules.h"

#include <gtest/gtest.h>

namespace {

using M = TimerMode;
using R = RunState;
using B = TaskbarBar;

struct ProgressCase {
    const char* what;
    ProgressSnapshot timer;
    TaskbarProgress shown;
};

// Five minutes, or an until-time countdown armed two hours before its target.
constexpr int64_t kFive = 300000;
constexpr int64_t kTwoHours = 7200000;

const ProgressCase kCases[] = {
    {"clock", {M::Clock, R::Idle, false, 0, kFive}, {B::NoProgress, 0, 0}},
    {"clock after a red readout", {M::Clock, R::Idle, true, 0, kFive}, {B::NoProgress, 0, 0}},
    {"stopwatch running", {M::Stopwatch, R::Running, false, 61000, kFive}, {B::NoProgress, 0, 0}},
    {"stopwatch paused", {M::Stopwatch, R::Paused, false, 61000, kFive}, {B::NoProgress, 0, 0}},
    {"countdown reset", {M::Countdown, R::Idle, false, 0, kFive}, {B::NoProgress, 0, 0}},
    {"started", {M::Countdown, R::Running, false, 0, kFive}, {B::Normal, 0, kFive}},
    {"running", {M::Countdown, R::Running, false, 123456, kFive}, {B::Normal, 123456, kFive}},
    {"last millisecond",
     {M::Countdown, R::Running, false, kFive - 1, kFive},
     {B::Normal, kFive - 1, kFive}},
    {"paused", {M::Countdown, R::Paused, false, 123456, kFive}, {B::Paused, 123456, kFive}},
    {"paused at once", {M::Countdown, R::Paused, false, 0, kFive}, {B::Paused, 0, kFive}},
    {"at zero, not yet seen",
     {M::Countdown, R::Running, false, kFive, kFive},
     {B::Error, kFive, kFive}},
    {"run out, overtime counting",
     {M::Countdown, R::Running, true, 4000, kFive},
     {B::Error, kFive, kFive}},
    {"run out, stopped at zero", {M::Countdown, R::Idle, true, 0, kFive}, {B::Error, kFive, kFive}},
    // A start press during the overtime pauses it and clears the red; past the length the pause
    // shows zero, the bar stays full.
    {"paused in the overtime",
     {M::Countdown, R::Paused, false, 20000, kFive},
     {B::Paused, 20000, kFive}},
    {"paused past its length",
     {M::Countdown, R::Paused, false, kFive + 9000, kFive},
     {B::Paused, kFive, kFive}},
    {"until-time running",
     {M::Countdown, R::Running, false, 1800000, kTwoHours},
     {B::Normal, 1800000, kTwoHours}},
    {"until-time, clock set back before the arming",
     {M::Countdown, R::Running, false, -60000, kTwoHours},
     {B::Normal, 0, kTwoHours}},
    {"until-time overtime, red cleared by a press",
     {M::Countdown, R::Running, false, kTwoHours + 5000, kTwoHours},
     {B::Error, kTwoHours, kTwoHours}},
    {"length 0 started", {M::Countdown, R::Running, false, 0, 0}, {B::Error, 1, 1}},
    {"length 0 run out", {M::Countdown, R::Idle, true, 0, 0}, {B::Error, 1, 1}},
};

}  // namespace

TEST(TaskbarProgress, FollowsTheModeRunStateAndCount) {
    for (const ProgressCase& c : kCases) {
        const TaskbarProgress shown = TaskbarProgressFor(c.timer);
        EXPECT_EQ(shown.bar, c.shown.bar) << c.what;
        EXPECT_EQ(shown.completed, c.shown.completed) << c.what;
        EXPECT_EQ(shown.total, c.shown.total) << c.what;
    }
}
