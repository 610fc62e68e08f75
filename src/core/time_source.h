// The one place the program reads the tick counter and the local time. Tests replace the two
// readers to drive time; they must do so before the tick worker starts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "timer_types.h"

using TickReader = uint64_t (*)();
using LocalTimeReader = void (*)(SYSTEMTIME*);

uint64_t ReadTick();
WallTime ReadWallTime();

void SetTimeReaders(TickReader tick, LocalTimeReader localTime);
void RestoreSystemTimeReaders();
