// The readout text: its two forms (with milliseconds, or four spaces in their place) and the
// bounded formatting every readout goes through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "timer_types.h"

constexpr size_t kReadoutBufferSize = 20;  // 19 characters and the terminator
using ReadoutBuffer = char[kReadoutBufferSize];

// The 64-bit literals are the C runtime's "%I64d" on Windows; the host spells them "%lld",
// which prints the same text for the same value.
#ifdef _WIN32
#define READOUT_I64 "I64d"
#else
#define READOUT_I64 "lld"
#endif

// Formats into a 20-byte buffer; returns the length, or -1 when the text would not fit
// (the buffer then holds an empty string, never a cut-off readout).
int FormatReadout(ReadoutBuffer buffer, const char* format, ...);

// Replaces the readout store `destination` (of `capacity` bytes) with `length` bytes of `text`,
// cut to fit and terminated; a negative length (a failed format) leaves it as it was. It copies and
// never allocates: the worker calls it every 2 ms.
void ReplaceReadoutText(char* destination, size_t capacity, const char* text, int length);

// The zero readout of the chosen form: "00:00:00.000" or "00:00:00    ".
const char* ZeroReadout(bool showMilliseconds);

// A tick-derived millisecond count (stopwatch, fixed countdown, paused values), 64-bit literals.
int FormatMillisecondsReadout(ReadoutBuffer buffer, uint64_t milliseconds, bool showMilliseconds);

// A wall-clock derived signed count (until-time countdown), 32-bit literals.
int FormatSigned32Readout(ReadoutBuffer buffer, int32_t milliseconds, bool showMilliseconds);

// A time of day (the clock), 32-bit literals; hour is 0 to 23.
int FormatClockReadout(ReadoutBuffer buffer, const WallTime& now, bool showMilliseconds);

// A stored number of seconds as hours, minutes and seconds, unsigned: the readout, the target
// button's caption and the settings dialog's fields all split it this way.
struct TimeFields {
    uint32_t hours;  // not wrapped: a length of 100 hours or more shows three or more digits
    uint32_t minutes;
    uint32_t seconds;
};
TimeFields SplitSeconds(uint32_t seconds);

// A preset length in seconds: "HH:MM:SS.000" or "HH:MM:SS    ".
int FormatPresetReadout(ReadoutBuffer buffer, uint32_t seconds, bool showMilliseconds);

// An idle timer's readout: a fixed countdown shows its length, every other mode zero. The
// clock's zero stands only until the worker writes the wall time.
int FormatIdleReadout(ReadoutBuffer buffer, TimerMode mode, CountdownKind kind,
                      uint32_t countdownFixSeconds, bool showMilliseconds);

// Whether two readouts show the same whole second in the same form: they differ at most in the
// three digits after the point. What a screen reader hears and what the taskbar shows follow the
// readout once a second this way, never at every 2 ms rewrite of its milliseconds.
bool SameShownSecond(const char* a, const char* b);
