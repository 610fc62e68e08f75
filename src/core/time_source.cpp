#include "time_source.h"

#include <atomic>

namespace {

constexpr int64_t kDayMs = 86400000;

uint64_t SystemTick() {
    return GetTickCount64();
}
void SystemLocalTime(SYSTEMTIME* now) {
    GetLocalTime(now);
}

int64_t SystemUtc() {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    const int64_t ticks =
        static_cast<int64_t>((uint64_t{utc.dwHighDateTime} << 32) | utc.dwLowDateTime);
    return (ticks - 116444736000000000) / 10000;  // 100 ns units since 1601
}

ZoneDate ZoneDateOf(const SYSTEMTIME& date) {
    return {date.wYear, date.wMonth,  date.wDayOfWeek, date.wDay,
            date.wHour, date.wMinute, date.wSecond,    date.wMilliseconds};
}

// GetTimeZoneInformation is in every Windows the program runs on and gives the current year's
// rules, which is all a countdown of at most a day needs.
ZoneReading SystemZone() {
    TIME_ZONE_INFORMATION zone;
    const DWORD answer = GetTimeZoneInformation(&zone);
    if (answer == TIME_ZONE_ID_INVALID) return {{}, ZoneAnswer::Unreadable};
    return {{zone.Bias, zone.StandardBias, zone.DaylightBias, ZoneDateOf(zone.StandardDate),
             ZoneDateOf(zone.DaylightDate)},
            answer == TIME_ZONE_ID_UNKNOWN ? ZoneAnswer::NoDaylightSaving : ZoneAnswer::Rules};
}

std::atomic<TickReader> tickReader{SystemTick};
std::atomic<LocalTimeReader> localTimeReader{SystemLocalTime};
std::atomic<UtcReader> utcReader{SystemUtc};
std::atomic<ZoneReader> zoneReader{SystemZone};
// Counts the changes of zone announced; a kept zone read before the last one is read again.
std::atomic<uint32_t> zoneGeneration{0};

// A Sunday, so that the rebuilt moment falls on the weekday the local reader gives.
constexpr int64_t kSundayMs = 3 * kDayMs;  // 1970-01-04

int64_t UtcFromLocalTime() {
    SYSTEMTIME local;
    localTimeReader.load()(&local);
    const int64_t ofDay = MsOfDay(local.wHour, local.wMinute, local.wSecond, local.wMilliseconds);
    return kSundayMs + int64_t{local.wDayOfWeek} * kDayMs + ofDay;
}

ZoneReading UtcZone() {
    return {{}, ZoneAnswer::Rules};
}

// Any thread: the counter alone is shared.
void MarkZoneChanged() {
    zoneGeneration.fetch_add(1);
}

int64_t LocalDayAt(int64_t utcMs, const ZoneRules& zone) {
    const int64_t local = LocalMsAt(utcMs, zone);
    return local / kDayMs - (local % kDayMs < 0 ? 1 : 0);
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

int64_t ReadUtcMs() {
    return utcReader.load()();
}

ZonedClock ReadZonedClock(KeptZone& kept) {
    const int64_t utcMs = ReadUtcMs();
    // Loaded before the zone is read: a change announced meanwhile is read at the next call.
    const uint32_t generation = zoneGeneration.load();
    if (!kept.read || kept.generation != generation ||
        kept.localDay != LocalDayAt(utcMs, kept.rules)) {
        const ZoneReading reading = zoneReader.load()();
        kept.rules = RulesInForce(reading);
        kept.known = reading.answer != ZoneAnswer::Unreadable;
        kept.generation = generation;
        kept.localDay = LocalDayAt(utcMs, kept.rules);
        kept.read = true;
    }
    return {utcMs, kept.rules, kept.known};
}

ZonedClock ReadZonedClockOnUiThread() {
    static KeptZone uiThreadZone;
    return ReadZonedClock(uiThreadZone);
}

void OnTimeChange() {
    MarkZoneChanged();
}

void SetTimeReaders(TickReader tick, LocalTimeReader localTime) {
    tickReader = tick;
    localTimeReader = localTime;
    SetZonedClockReaders(UtcFromLocalTime, UtcZone);
}

void SetZonedClockReaders(UtcReader utc, ZoneReader zone) {
    utcReader = utc;
    zoneReader = zone;
    MarkZoneChanged();
}

void RestoreSystemTimeReaders() {
    tickReader = SystemTick;
    localTimeReader = SystemLocalTime;
    SetZonedClockReaders(SystemUtc, SystemZone);
}
