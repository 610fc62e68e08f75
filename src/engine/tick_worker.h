// The tick worker: every 2 ms it samples the tick counter, lets the current mode's branch write
// the readout and play what is due, and keeps an always-on-top window raised.
#pragma once

#include <windows.h>

#include <cstdint>

#include "readout.h"
#include "time_source.h"

// State that belongs to the worker thread alone.
struct WorkerLocal {
    // The current mark's sound has been played. One latch for every mode, so a mark in one mode
    // can silence the same minute's mark in another.
    bool chimeLatch = false;
    uint64_t lastRaiseTick = 0;
    ReadoutBuffer buffer = {};
    // The readout as it stood at the last new whole second the worker wrote.
    ReadoutBuffer lastShownSecond = {};
    // The time zone the until-time countdown counts in, read again when it may have changed.
    KeptZone zone;
    // The alarm inverted the caption of the window in front; it is put back at the end tick.
    bool captionFlashing = false;
    uint64_t captionFlashEndTick = 0;
};

DWORD WINAPI TickWorker(LPVOID parameter);

// The pieces of the loop, for tests that drive time themselves.
void BeginTickWorker(WorkerLocal& local);
void RunWorkerIteration(WorkerLocal& local);
