#include "time_source.h"

#include <atomic>

namespace {

uint64_t SystemTick() {
    return GetTickCount64();
}
void SystemLocalTime(SYSTEMTIME* now) {
    GetLocalTime(now);
}

ZoneDate ZoneDateOf(const SYSTEMTIME& date) {
    return {date.wYear, date.wMonth,  date.wDayOfWeek, date.wDay,
            date.wHour, date.wMinute, date.wSecond,    date.wMilliseconds};
}

// GetTimeZoneInformation is in every Windows the program runs on and gives the current year's
// rules, which is all a countdown of at most a day needs.
void SystemZonedClock(ZonedClock* now) {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    const int64_t ticks =
        static_cast<int64_t>((uint64_t{utc.dwHighDateTime} << 32) | utc.dwLowDateTime);
    now->utcMs = (ticks - 116444736000000000) / 10000;  // 100 ns units since 1601
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    now->zone = {zone.Bias, zone.StandardBias, zone.DaylightBias, ZoneDateOf(zone.StandardDate),
                 ZoneDateOf(zone.DaylightDate)};
}

std::atomic<TickReader> tickReader{SystemTick};
std::atomic<LocalTimeReader> localTimeReader{SystemLocalTime};
std::atomic<ZonedClockReader> zonedClockReader{SystemZonedClock};

// A Sunday, so that the rebuilt moment falls on the weekday the local reader gives.
constexpr int64_t kSundayMs = 3 * int64_t{86400000};  // 1970-01-04

void ZonedFromLocalTime(ZonedClock* now) {
    SYSTEMTIME local;
    localTimeReader.load()(&local);
    const int64_t ofDay =
        ((int64_t{local.wHour} * 60 + local.wMinute) * 60 + local.wSecond) * 1000 +
        local.wMilliseconds;
    now->utcMs = kSundayMs + int64_t{local.wDayOfWeek} * 86400000 + ofDay;
    now->zone = {};
}

}  // namespace

uint64_t ReadTick() {
    return tickReader.load()();
}

WallTime ReadWallTime() {
    SYSTEMTIME now;
    localTimeReader.load()(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, now.wDayOfWeek};
}

ZonedClock ReadZonedClock() {
    ZonedClock now;
    zonedClockReader.load()(&now);
    return now;
}

void SetTimeReaders(TickReader tick, LocalTimeReader localTime) {
    tickReader = tick;
    localTimeReader = localTime;
    zonedClockReader = ZonedFromLocalTime;
}

void SetZonedClockReader(ZonedClockReader zonedClock) {
    zonedClockReader = zonedClock;
}

void RestoreSystemTimeReaders() {
    tickReader = SystemTick;
    localTimeReader = SystemLocalTime;
    zonedClockReader = SystemZonedClock;
}
