#include "chime_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "keeper_rules.h"
#include "resource_ids.h"

namespace {

struct ClockRun {
    std::vector<int> sounds;  // in order of playing
    HighlightState highlight = HighlightState::Normal;
    bool latch = false;
};

// Feeds one iteration per `stepSeconds` of wall time to the clock rule.
void RunClock(ClockRun& run, int fromMinute, int toMinute, int stepSeconds = 1) {
    for (int second = fromMinute * 60; second < toMinute * 60; second += stepSeconds) {
        const ClockChime chime = ClockChimeRule(second / 60 % 60, run.latch, run.highlight);
        if (chime.sound) run.sounds.push_back(chime.sound);
        run.highlight = chime.highlight;
        run.latch = chime.latch;
    }
}

}  // namespace

TEST(ClockChime, AWholeHourSoundsTwelveMarksWithTheRightSounds) {
    ClockRun run;
    RunClock(run, 1, 61);  // 10:01:00 to 11:00:59
    ASSERT_EQ(run.sounds.size(), 12u);
    for (size_t i = 0; i < run.sounds.size(); ++i) {
        const int minute = static_cast<int>((i + 1) * 5) % 60;
        const int expected = minute == 0    ? IDW_FULL_HOUR
                             : minute == 30 ? IDW_HALF_HOUR
                                            : IDW_FIVE_MINUTES;
        EXPECT_EQ(run.sounds[i], expected) << "mark at minute " << minute;
    }
    EXPECT_EQ(run.highlight, HighlightState::FullHour);  // still in minute 00
}

TEST(ClockChime, FullAndHalfHourColoursLastUntilTheNextMinute) {
    ClockChime chime = ClockChimeRule(0, false, HighlightState::Normal);
    EXPECT_EQ(chime.highlight, HighlightState::FullHour);
    EXPECT_EQ(chime.sound, IDW_FULL_HOUR);
    chime = ClockChimeRule(0, true, chime.highlight);  // later iterations of minute 00
    EXPECT_EQ(chime.highlight, HighlightState::FullHour);
    EXPECT_EQ(chime.sound, 0);
    chime = ClockChimeRule(1, true, chime.highlight);
    EXPECT_EQ(chime.highlight, HighlightState::Normal);
    EXPECT_FALSE(chime.latch);

    chime = ClockChimeRule(30, false, HighlightState::Normal);
    EXPECT_EQ(chime.highlight, HighlightState::HalfHour);
    EXPECT_EQ(chime.sound, IDW_HALF_HOUR);
    // A five-minute mark leaves the colours as they are.
    chime = ClockChimeRule(35, false, HighlightState::Expired);
    EXPECT_EQ(chime.highlight, HighlightState::Expired);
    EXPECT_EQ(chime.sound, IDW_FIVE_MINUTES);
}

TEST(ClockChime, TheLatchDecidesWhatAJumpOrAnotherModeLeavesSilent) {
    // Starting inside a mark minute with a clear latch sounds at once.
    EXPECT_EQ(ClockChimeRule(5, false, HighlightState::Normal).sound, IDW_FIVE_MINUTES);
    // The clock set from 10:05:30 (chimed) straight to 10:10:10: no iteration saw a minute that
    // clears the latch, so 10:10 stays silent.
    ClockChime chime = ClockChimeRule(5, false, HighlightState::Normal);
    chime = ClockChimeRule(10, chime.latch, chime.highlight);
    EXPECT_EQ(chime.sound, 0);
    // A stopwatch mark set the latch; the clock entered within a mark minute stays silent and
    // does not change the colours, and sounds again at the next mark.
    ClockRun run;
    run.latch = true;
    RunClock(run, 25, 31);
    ASSERT_EQ(run.sounds.size(), 1u);
    EXPECT_EQ(run.sounds[0], IDW_HALF_HOUR);
}

namespace {

KeeperInput Keeper(uint64_t nowTick, uint64_t lastRaiseTick) {
    return {true, false, true, nowTick, lastRaiseTick};
}

// Simulates the keeper's iterations every 2 ms from `from` to `to` (exclusive) with the given
// menu and enabled states; returns the ticks at which it raised and updates lastRaiseTick.
std::vector<uint64_t> KeeperRaises(uint64_t from, uint64_t to, bool menuOpen, bool enabled,
                                   uint64_t& lastRaiseTick) {
    std::vector<uint64_t> raises;
    for (uint64_t tick = from; tick < to; tick += 2) {
        if (KeeperShouldRaise({true, menuOpen, enabled, tick, lastRaiseTick})) {
            raises.push_back(tick);
            lastRaiseTick = tick;
        }
    }
    return raises;
}

}  // namespace

TEST(Keeper, RaisesFrom2267MillisecondsAndNeverWhileTheMenuIsOpen) {
    EXPECT_FALSE(KeeperShouldRaise(Keeper(1000 + 2266, 1000)));
    EXPECT_TRUE(KeeperShouldRaise(Keeper(1000 + 2267, 1000)));
    EXPECT_FALSE(KeeperShouldRaise({true, true, true, 1000 + 10000, 1000}));
    EXPECT_FALSE(KeeperShouldRaise({false, false, true, 1000 + 10000, 1000}));
    // The tick difference is unsigned 64-bit: a counter that wrapped still measures forward.
    EXPECT_TRUE(KeeperShouldRaise(Keeper(3000, UINT64_MAX - 100)));
}

TEST(Keeper, HoldsBackWhileAModalWindowDisablesTheMainWindowThenRaisesAtOnce) {
    uint64_t lastRaise = 0;
    // Ten seconds with a dialog open: no raise at all.
    EXPECT_TRUE(KeeperRaises(0, 10000, false, false, lastRaise).empty());
    // Enabled again at 10000: raised at the first iteration, then 2267 ms apart (10000, 12268,
    // 14536).
    const std::vector<uint64_t> raises = KeeperRaises(10000, 16000, false, true, lastRaise);
    ASSERT_EQ(raises.size(), 3u);
    EXPECT_EQ(raises[0], 10000u);
    EXPECT_GE(raises[1] - raises[0], 2267u);
    EXPECT_LE(raises[1] - raises[0], 2268u);
    EXPECT_GE(raises[2] - raises[1], 2267u);
    // Menu open and window disabled hold back alike; either one is enough.
    EXPECT_FALSE(KeeperShouldRaise({true, true, false, 50000, 0}));
    EXPECT_FALSE(KeeperShouldRaise({true, false, false, 50000, 0}));
}

namespace {

// Ticks through a run in 1 ms steps and records the values at which a mark sounded.
std::vector<uint64_t> MarksCountingUp(uint64_t from, uint64_t to) {
    std::vector<uint64_t> marks;
    bool latch = false;
    for (uint64_t elapsed = from; elapsed <= to; ++elapsed) {
        const MarkChime mark = MarkChimeRule(UpwardMarkIndex(elapsed), latch);
        if (mark.sound) marks.push_back(elapsed);
        latch = mark.latch;
    }
    return marks;
}

std::vector<uint64_t> MarksCountingDown(uint64_t lengthMs, uint64_t step = 1) {
    std::vector<uint64_t> marks;
    bool latch = false;
    for (uint64_t elapsed = 0; elapsed < lengthMs; elapsed += step) {
        const uint64_t shown = lengthMs - elapsed;
        const MarkChime mark = MarkChimeRule(DownwardMarkIndex(shown), latch);
        if (mark.sound) marks.push_back(shown);
        latch = mark.latch;
    }
    return marks;
}

}  // namespace

TEST(MarksCountingUp, SoundHalfASecondBeforeEachFiveMinutesButNotAtFullHours) {
    EXPECT_EQ(MarkChimeRule(UpwardMarkIndex(4 * 60000 + 59499), false).sound, false);
    EXPECT_EQ(MarkChimeRule(UpwardMarkIndex(4 * 60000 + 59500), false).sound, true);
    EXPECT_EQ(UpwardMarkIndex(59 * 60000 + 59500), 0u);  // 00:59:59.500 is silent
    EXPECT_EQ(UpwardMarkIndex(64 * 60000 + 59500), 5u);  // 01:04:59.500 sounds

    const std::vector<uint64_t> marks = MarksCountingUp(0, 70 * 60000);
    const std::vector<uint64_t> expected = {
        299500,  599500,  899500,  1199500, 1499500, 1799500,
        2099500, 2399500, 2699500, 2999500, 3299500, /* 3599500 is a full hour: silent */ 3899500,
        4199500};
    EXPECT_EQ(marks, expected);
}

TEST(MarksCountingDown, SoundAtTheStartOfWholeMultiplesAndBelowFiveMinutesAndAHalfSecond) {
    // The default five minutes: only at the start.
    EXPECT_EQ(MarksCountingDown(300000), std::vector<uint64_t>({300000}));
    // Ten minutes: the start and once the remaining time falls below 00:05:01.500.
    EXPECT_EQ(MarksCountingDown(600000), std::vector<uint64_t>({600000, 301499}));
    // Seven minutes: first below 00:05:01.500.
    EXPECT_EQ(MarksCountingDown(420000), std::vector<uint64_t>({301499}));
    // Four minutes: nothing before the alarm.
    EXPECT_TRUE(MarksCountingDown(240000).empty());
    // Sixty minutes: at the start (index 60), then every five minutes.
    const std::vector<uint64_t> hour = MarksCountingDown(3600000);
    ASSERT_EQ(hour.size(), 12u);
    EXPECT_EQ(hour.front(), 3600000u);
    EXPECT_EQ(hour[1], 3301499u);
    EXPECT_EQ(hour.back(), 301499u);
}

TEST(MarksCountingDown, TheLastSecondAndAHalfNeverSoundAndClearTheLatch) {
    EXPECT_EQ(DownwardMarkIndex(1499), 26u);
    EXPECT_EQ(DownwardMarkIndex(0), 26u);
    EXPECT_EQ(MarkChimeRule(DownwardMarkIndex(0), true).latch, false);
    // The latch is cleared 60 s after the five-minute mark.
    EXPECT_EQ(MarkChimeRule(DownwardMarkIndex(241500), true).latch, true);
    EXPECT_EQ(MarkChimeRule(DownwardMarkIndex(241499), true).latch, false);
    // The until-time form has the same marks from wall-clock milliseconds.
    EXPECT_EQ(UntilTimeMarkIndex(1800000), 30);
    EXPECT_EQ(UntilTimeMarkIndex(301499), 5);
    EXPECT_EQ(UntilTimeMarkIndex(301500), 6);
    EXPECT_EQ(UntilTimeMarkIndex(1000), 1);
}
