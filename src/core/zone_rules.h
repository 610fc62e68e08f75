// Local time from UTC and back by a time zone's rules, given as plain data in the shape of
// TIME_ZONE_INFORMATION. No <windows.h>: the host tests compile this file too.
#pragma once

#include <cstdint>

#include "timer_types.h"

// A change of the clock. With year 0 it recurs: the day-th dayOfWeek (0 = Sunday) of the month,
// 5 meaning the last, at the given local time. With a year it is that one date (day of month).
struct ZoneDate {
    int year;
    int month;  // 1 to 12; 0 in a zone without daylight saving
    int dayOfWeek;
    int day;
    int hour;
    int minute;
    int second;
    int milliseconds;
};

// Biases in minutes, UTC = local + bias + standardBias or daylightBias. standardDate is when
// daylight saving ends, in daylight time; daylightDate when it begins, in standard time.
struct ZoneRules {
    int32_t bias;
    int32_t standardBias;
    int32_t daylightBias;
    ZoneDate standardDate;
    ZoneDate daylightDate;
};

// What the system said of its zone besides the rules it filled in (GetTimeZoneInformation's
// answer).
enum class ZoneAnswer {
    Rules,             // the rules apply as given
    NoDaylightSaving,  // automatic adjustment is off, or the zone has none
    Unreadable,        // the rules are undefined: the local wall clock is all there is
};

struct ZoneReading {
    ZoneRules rules;
    ZoneAnswer answer;
};

// The rules the local clock follows. With daylight saving off it keeps the standard bias all
// year, whatever change dates the system still filled in: some machines keep the zone's dates
// there after the user has switched automatic adjustment off.
ZoneRules RulesInForce(const ZoneReading& reading);

// Milliseconds since midnight of a clock reading.
constexpr int64_t MsOfDay(int64_t hour, int64_t minute, int64_t second, int64_t milliseconds) {
    return ((hour * 60 + minute) * 60 + second) * 1000 + milliseconds;
}

// The day of week (0 = Sunday) of a day counted from 1970-01-01, which was a Thursday; days
// before it count negative.
constexpr int WeekdayOfDay(int64_t days) {
    return static_cast<int>((days % 7 + 11) % 7);
}

// Milliseconds since 1970-01-01 00:00 of a calendar date and time, on no particular clock.
int64_t CalendarMs(int year, int month, int day, int64_t msOfDay);

// Whether daylight saving is in force at a UTC moment.
bool IsDaylightAt(int64_t utcMs, const ZoneRules& zone);

// The local clock at a UTC moment, in milliseconds on the calendar.
int64_t LocalMsAt(int64_t utcMs, const ZoneRules& zone);

// The local clock reading split into the fields the timing rules use.
WallTime WallTimeOf(int64_t localMs);

// The UTC moment at which the local clock shows `localMs`. A time in the hour that is repeated
// when daylight saving ends is taken at its first occurrence that is not before `notBeforeUtcMs`
// (the second one only when the first had already passed then); a time in the hour that is
// skipped when it begins never shows, and its moment is the jump past it.
int64_t UtcShowing(int64_t localMs, const ZoneRules& zone, int64_t notBeforeUtcMs);
