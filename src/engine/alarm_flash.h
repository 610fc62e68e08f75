// The window's flash when a countdown runs out, made by the worker without the lock.
#pragma once

#include <cstdint>

#include "tick_worker.h"

// Behind other windows, the taskbar button and the caption flash until the user brings the window
// to the front. In front, the caption flashes once and EndAlarmFlash puts it back.
void FlashForAlarm(WorkerLocal& local, uint64_t nowTick);

// Once the caption's one flash has lasted its time, returns it to the window's true state.
void EndAlarmFlash(WorkerLocal& local, uint64_t nowTick);
