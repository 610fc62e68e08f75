#include "zone_rules.h"

namespace {

constexpr int64_t kDayMs = 86400000;
constexpr int64_t kMinuteMs = 60000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

CivilDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month, day};
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

int YearOf(int64_t ms) {
    return CivilFromDays(FloorDiv(ms, kDayMs)).year;
}

// The local clock time at which `date` changes the clock in `year`.
int64_t ChangeMs(const ZoneDate& date, int year) {
    const int64_t msOfDay = MsOfDay(date.hour, date.minute, date.second, date.milliseconds);
    if (date.year != 0) return CalendarMs(date.year, date.month, date.day, msOfDay);
    const int64_t first = DaysFromCivil(year, date.month, 1);
    const int firstWeekday = WeekdayOfDay(first);
    int day = 1 + (date.dayOfWeek - firstWeekday + 7) % 7 + 7 * (date.day - 1);
    const int64_t nextMonth =
        date.month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, date.month + 1, 1);
    while (day > nextMonth - first) day -= 7;  // the fifth week means the last one
    return CalendarMs(year, date.month, day, msOfDay);
}

bool HasDaylightSaving(const ZoneRules& zone) {
    return zone.standardDate.month != 0 && zone.daylightDate.month != 0;
}

int64_t StandardOffsetMs(const ZoneRules& zone) {
    return (int64_t{zone.bias} + zone.standardBias) * kMinuteMs;
}

int64_t DaylightOffsetMs(const ZoneRules& zone) {
    return (int64_t{zone.bias} + zone.daylightBias) * kMinuteMs;
}

// The UTC moments at which daylight saving begins and ends in `year`.
struct Changes {
    int64_t begins;
    int64_t ends;
};
Changes ChangesIn(const ZoneRules& zone, int year) {
    return {ChangeMs(zone.daylightDate, year) + StandardOffsetMs(zone),
            ChangeMs(zone.standardDate, year) + DaylightOffsetMs(zone)};
}

}  // namespace

ZoneRules RulesInForce(const ZoneReading& reading) {
    ZoneRules rules = reading.rules;
    if (reading.answer != ZoneAnswer::Rules)
        rules.standardDate.month = rules.daylightDate.month = 0;
    return rules;
}

int64_t CalendarMs(int year, int month, int day, int64_t msOfDay) {
    return DaysFromCivil(year, month, day) * kDayMs + msOfDay;
}

bool IsDaylightAt(int64_t utcMs, const ZoneRules& zone) {
    if (!HasDaylightSaving(zone)) return false;
    const Changes changes = ChangesIn(zone, YearOf(utcMs - StandardOffsetMs(zone)));
    // South of the equator daylight saving runs across the new year.
    if (changes.begins < changes.ends) return utcMs >= changes.begins && utcMs < changes.ends;
    return !(utcMs >= changes.ends && utcMs < changes.begins);
}

int64_t LocalMsAt(int64_t utcMs, const ZoneRules& zone) {
    return utcMs - (IsDaylightAt(utcMs, zone) ? DaylightOffsetMs(zone) : StandardOffsetMs(zone));
}

WallTime WallTimeOf(int64_t localMs) {
    const int64_t days = FloorDiv(localMs, kDayMs);
    const int64_t ofDay = localMs - days * kDayMs;
    return {static_cast<int>(ofDay / 3600000), static_cast<int>(ofDay / 60000 % 60),
            static_cast<int>(ofDay / 1000 % 60), static_cast<int>(ofDay % 1000),
            WeekdayOfDay(days)};
}

int64_t UtcShowing(int64_t localMs, const ZoneRules& zone, int64_t notBeforeUtcMs) {
    const int64_t asStandard = localMs + StandardOffsetMs(zone);
    if (!HasDaylightSaving(zone)) return asStandard;
    const int64_t asDaylight = localMs + DaylightOffsetMs(zone);
    const bool standardShows = !IsDaylightAt(asStandard, zone);
    const bool daylightShows = IsDaylightAt(asDaylight, zone);
    if (standardShows && daylightShows) {
        const int64_t first = asStandard < asDaylight ? asStandard : asDaylight;
        const int64_t second = asStandard < asDaylight ? asDaylight : asStandard;
        return first >= notBeforeUtcMs ? first : second;
    }
    if (standardShows) return asStandard;
    if (daylightShows) return asDaylight;
    // Skipped: the clock jumps past it at the change that lies between the two readings.
    const int64_t low = asStandard < asDaylight ? asStandard : asDaylight;
    const int64_t high = asStandard < asDaylight ? asDaylight : asStandard;
    const Changes changes = ChangesIn(zone, YearOf(localMs));
    if (changes.begins >= low && changes.begins <= high) return changes.begins;
    if (changes.ends >= low && changes.ends <= high) return changes.ends;
    return asStandard;
}
