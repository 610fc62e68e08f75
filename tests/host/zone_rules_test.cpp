// The until-time countdown through UTC, across both changes of daylight saving of one zone:
// Berlin in 2027, whose clock goes from 02:00 to 03:00 on 28 March and from 03:00 back to 02:00
// on 31 October, as Windows describes the zone.
#include "zone_rules.h"

#include <gtest/gtest.h>

#include "timing_rules.h"

namespace {

const ZoneRules kBerlin = {-60, 0, -60, {0, 10, 0, 5, 3, 0, 0, 0}, {0, 3, 0, 5, 2, 0, 0, 0}};

constexpr int64_t kHourMs = 3600000;

int64_t Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return CalendarMs(year, month, day, ((hour * 60 + minute) * 60 + second) * 1000);
}

int64_t ClockOfDay(int64_t localMs) {
    return ((localMs % 86400000) + 86400000) % 86400000;
}

}  // namespace

TEST(ZoneRules, TheWallClockAcrossBothChanges) {
    struct Case {
        int64_t utc;
        int64_t local;  // time of day on the local clock
    };
    const Case cases[] = {
        {Utc(2027, 3, 28, 0, 59, 59), 1 * kHourMs + 59 * 60000 + 59000},   // CET
        {Utc(2027, 3, 28, 1, 0), 3 * kHourMs},                             // CEST from here
        {Utc(2027, 10, 31, 0, 59, 59), 2 * kHourMs + 59 * 60000 + 59000},  // CEST
        {Utc(2027, 10, 31, 1, 0), 2 * kHourMs},                            // CET again
        {Utc(2027, 1, 15, 12, 0), 13 * kHourMs},
        {Utc(2027, 7, 15, 12, 0), 14 * kHourMs},
    };
    for (const Case& c : cases) EXPECT_EQ(ClockOfDay(LocalMsAt(c.utc, kBerlin)), c.local) << c.utc;
    // Sunday, both days.
    EXPECT_EQ(WallTimeOf(LocalMsAt(Utc(2027, 3, 28, 1, 0), kBerlin)).dayOfWeek, 0);
    EXPECT_EQ(WallTimeOf(LocalMsAt(Utc(2027, 10, 31, 1, 0), kBerlin)).dayOfWeek, 0);
}

TEST(ZoneRules, UntilTimeCountsRealTimeAcrossBothChanges) {
    struct Case {
        const char* what;
        uint32_t target;  // seconds of the day
        int64_t armed;    // UTC
        int64_t now;      // UTC
        int32_t remaining;
    };
    const int64_t spring = Utc(2027, 3, 28, 0, 0);
    const int64_t fall = Utc(2027, 10, 31, 0, 0);
    const Case cases[] = {
        // Armed at 01:57:30 CET for 03:02:00: four and a half minutes, not an hour more.
        {"spring, armed", 3 * 3600 + 120, spring + 57 * 60000 + 30000, spring + 57 * 60000 + 30000,
         270000},
        {"spring, last second of CET", 3 * 3600 + 120, spring + 57 * 60000,
         spring + 59 * 60000 + 59000, 121000},
        {"spring, first second of CEST", 3 * 3600 + 120, spring + 57 * 60000, spring + kHourMs,
         120000},
        {"spring, the target", 3 * 3600 + 120, spring + 57 * 60000, spring + kHourMs + 120000, 0},
        // 02:30 never shows that night: it comes when the clock jumps past it.
        {"spring, skipped, armed 01:50 CET", 2 * 3600 + 1800, spring + 50 * 60000,
         spring + 50 * 60000, 600000},
        {"spring, skipped, the jump", 2 * 3600 + 1800, spring + 50 * 60000, spring + kHourMs, 0},
        // 02:08 shows twice: it comes at its first occurrence, and the overtime goes on counting
        // up when the clock falls back.
        {"fall, armed 01:50 CEST", 2 * 3600 + 480, fall - 10 * 60000, fall - 10 * 60000, 1080000},
        {"fall, 02:08 CEST", 2 * 3600 + 480, fall - 10 * 60000, fall + 8 * 60000, 0},
        {"fall, 02:00 CET", 2 * 3600 + 480, fall - 10 * 60000, fall + kHourMs, -52 * 60000},
        {"fall, 02:08 CET", 2 * 3600 + 480, fall - 10 * 60000, fall + kHourMs + 8 * 60000,
         -60 * 60000},
        // Armed at 02:10 in the repeated hour for 02:30: twenty minutes whichever pass it is.
        {"fall, armed 02:10 CEST for 02:30", 2 * 3600 + 1800, fall + 10 * 60000, fall + 10 * 60000,
         20 * 60000},
        {"fall, armed 02:10 CET for 02:30", 2 * 3600 + 1800, fall + kHourMs + 10 * 60000,
         fall + kHourMs + 10 * 60000, 20 * 60000},
        {"fall, armed 02:10 CET, overtime", 2 * 3600 + 1800, fall + kHourMs + 10 * 60000,
         fall + kHourMs + 35 * 60000, -5 * 60000},
        // Armed in the evening before, across midnight and the change.
        {"fall, armed 23:00 CEST for 04:00", 4 * 3600, fall - 3 * kHourMs, fall - 3 * kHourMs,
         6 * 3600000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int weekday = ArmTargetWeekday(c.target, WallTimeOf(LocalMsAt(c.armed, kBerlin)));
        EXPECT_EQ(ZonedUntilTimeRemaining(c.target, weekday, c.armed, c.now, kBerlin), c.remaining);
    }
}

TEST(ZoneRules, OnADayWithoutAChangeTheCountdownIsTheWallClocks) {
    // Armed on a June Monday at 23:00 for 01:00, followed past midnight and into the overtime.
    const uint32_t target = 3600;
    const int64_t armed = Utc(2027, 6, 14, 21, 0);
    const int weekday = ArmTargetWeekday(target, WallTimeOf(LocalMsAt(armed, kBerlin)));
    for (int64_t now = armed; now < armed + 4 * kHourMs; now += 7 * 60000 + 13501) {
        const WallTime wall = WallTimeOf(LocalMsAt(now, kBerlin));
        EXPECT_EQ(ZonedUntilTimeRemaining(target, weekday, armed, now, kBerlin),
                  UntilTimeRemaining(target, weekday, wall))
            << now;
    }
    // A zone without daylight saving (China) on any day.
    const ZoneRules china = {-480, 0, 0, {}, {}};
    const int64_t march = Utc(2027, 3, 27, 17, 0);
    const int chinaWeekday = ArmTargetWeekday(target, WallTimeOf(LocalMsAt(march, china)));
    for (int64_t now = march; now < march + 12 * kHourMs; now += 11 * 60000 + 7)
        EXPECT_EQ(ZonedUntilTimeRemaining(target, chinaWeekday, march, now, china),
                  UntilTimeRemaining(target, chinaWeekday, WallTimeOf(LocalMsAt(now, china))));
}

TEST(ZoneRules, WithDaylightSavingSwitchedOffTheStandardBiasHoldsAllYear) {
    // Windows answers TIME_ZONE_ID_UNKNOWN and may still fill in Berlin's change dates.
    struct Case {
        const char* what;
        ZoneAnswer answer;
        int64_t utc;
        int64_t local;  // time of day on the local clock
    };
    const Case cases[] = {
        {"off, July", ZoneAnswer::NoDaylightSaving, Utc(2027, 7, 15, 12, 0), 13 * kHourMs},
        {"off, past the spring change", ZoneAnswer::NoDaylightSaving, Utc(2027, 3, 28, 1, 0),
         2 * kHourMs},
        {"on, July", ZoneAnswer::Rules, Utc(2027, 7, 15, 12, 0), 14 * kHourMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ClockOfDay(LocalMsAt(c.utc, RulesInForce({kBerlin, c.answer}))), c.local);
    }
    // Armed at 01:57:30 for 03:02:00 on the night the dates name: a plain 64.5 minutes.
    const ZoneRules off = RulesInForce({kBerlin, ZoneAnswer::NoDaylightSaving});
    const int64_t armed = Utc(2027, 3, 28, 0, 57, 30);
    const uint32_t target = 3 * 3600 + 120;
    const int weekday = ArmTargetWeekday(target, WallTimeOf(LocalMsAt(armed, off)));
    EXPECT_EQ(ZonedUntilTimeRemaining(target, weekday, armed, armed, off), 3870000);
}
