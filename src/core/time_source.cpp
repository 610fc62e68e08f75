#include "time_source.h"

#include <atomic>

namespace {

uint64_t SystemTick() {
    return GetTickCount64();
}
void SystemLocalTime(SYSTEMTIME* now) {
    GetLocalTime(now);
}

std::atomic<TickReader> tickReader{SystemTick};
std::atomic<LocalTimeReader> localTimeReader{SystemLocalTime};

}  // namespace

uint64_t ReadTick() {
    return tickReader.load()();
}

WallTime ReadWallTime() {
    SYSTEMTIME now;
    localTimeReader.load()(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, now.wDayOfWeek};
}

void SetTimeReaders(TickReader tick, LocalTimeReader localTime) {
    tickReader = tick;
    localTimeReader = localTime;
}

void RestoreSystemTimeReaders() {
    SetTimeReaders(SystemTick, SystemLocalTime);
}
