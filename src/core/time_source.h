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

struct ZonedClock {
    int64_t utcMs;  // since 1970-01-01 00:00 UTC
    ZoneRules zone;
};
using ZonedClockReader = void (*)(ZonedClock*);

uint64_t ReadTick();
WallTime ReadWallTime();
ZonedClock ReadZonedClock();

// With a local-time reader of their own, tests drive the zoned clock through it too, as a zone
// without daylight saving: its moment is rebuilt from the weekday and the time of day, which is
// all the until-time countdown reads on a day without a change.
void SetTimeReaders(TickReader tick, LocalTimeReader localTime);
// Drives the zoned clock by a reader of its own, for the changes of daylight saving.
void SetZonedClockReader(ZonedClockReader zonedClock);
void RestoreSystemTimeReaders();
