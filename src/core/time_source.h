// The one place the program reads the tick counter, the local time and the zoned clock (UTC with
// the time zone's rules). Tests replace the readers to drive time; they must do so before the
// tick worker starts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "timer_types.h"
#include "zone_rules.h"

using TickReader = uint64_t (*)();
using LocalTimeReader = void (*)(SYSTEMTIME*);
using UtcReader = int64_t (*)();  // milliseconds since 1970-01-01 00:00 UTC
using ZoneReader = ZoneReading (*)();

struct ZonedClock {
    int64_t utcMs;  // since 1970-01-01 00:00 UTC
    ZoneRules zone;
    bool zoneKnown;  // false: the system could not say its zone, only the wall clock counts
};

// The zone as its reader last gave it, kept by the one thread that reads the zoned clock with it
// (the worker): reading it every 2 ms would ask the system for the same rules 500 times a second.
struct KeptZone {
    bool read = false;
    ZoneRules rules = {};  // the rules in force
    bool known = false;
    uint32_t generation = 0;  // of the changes announced, when it was read
    int64_t localDay = 0;     // the local day it was read on
};

uint64_t ReadTick();
WallTime ReadWallTime();
int64_t ReadUtcMs();
// The moment and the zone, which is read again only the first time, after OnTimeChange, and
// on a new local day (the current year's rules are what the system gives).
ZonedClock ReadZonedClock(KeptZone& kept);
// The same with the UI thread's kept zone, for the until-time countdown's arming and the
// taskbar's count (UI thread only).
ZonedClock ReadZonedClockOnUiThread();

// WM_TIMECHANGE and WM_SETTINGCHANGE: the zone or its rules may have changed, so every kept zone
// is read again at its next use. Windows broadcasts WM_TIMECHANGE when the clock is set; whether
// a change of zone, or of its automatic daylight saving, brings that or only WM_SETTINGCHANGE is
// not documented, so both count, and a new day does in any case.
void OnTimeChange();

// With a local-time reader of their own, tests drive the zoned clock through it too, as a zone
// without daylight saving: its moment is rebuilt from the weekday and the time of day, which is
// all the until-time countdown reads on a day without a change.
void SetTimeReaders(TickReader tick, LocalTimeReader localTime);
// Drives the zoned clock by readers of its own, for the changes of daylight saving and of zone.
void SetZonedClockReaders(UtcReader utc, ZoneReader zone);
void RestoreSystemTimeReaders();
