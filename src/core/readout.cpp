#include "readout.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "timer_types.h"

int FormatReadout(ReadoutBuffer buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = vsnprintf(buffer, kReadoutBufferSize, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<size_t>(length) >= kReadoutBufferSize) {
        buffer[0] = '\0';
        return -1;
    }
    return length;
}

void ReplaceReadoutText(char* destination, size_t capacity, const char* text, int length) {
    if (capacity == 0 || length < 0) return;  // a failed format leaves the last text standing
    const size_t count =
        static_cast<size_t>(length) < capacity ? static_cast<size_t>(length) : capacity - 1;
    memcpy(destination, text, count);
    destination[count] = '\0';
}

const char* ZeroReadout(bool showMilliseconds) {
    return showMilliseconds ? "00:00:00.000" : "00:00:00    ";
}

int FormatMillisecondsReadout(ReadoutBuffer buffer, uint64_t milliseconds, bool showMilliseconds) {
    const long long hours = static_cast<long long>(milliseconds / 3600000);
    const long long minutes = static_cast<long long>(milliseconds / 60000 % 60);
    const long long seconds = static_cast<long long>(milliseconds / 1000 % 60);
    const long long millis = static_cast<long long>(milliseconds % 1000);
    if (showMilliseconds)
        return FormatReadout(
            buffer, "%02" READOUT_I64 ":%02" READOUT_I64 ":%02" READOUT_I64 ".%03" READOUT_I64,
            hours, minutes, seconds, millis);
    // The milliseconds are passed but not printed, as in the millisecond form's argument list.
    return FormatReadout(buffer, "%02" READOUT_I64 ":%02" READOUT_I64 ":%02" READOUT_I64 "    ",
                         hours, minutes, seconds, millis);
}

int FormatSigned32Readout(ReadoutBuffer buffer, int32_t milliseconds, bool showMilliseconds) {
    const int hours = milliseconds / 3600000;
    const int minutes = milliseconds / 60000 % 60;
    const int seconds = milliseconds / 1000 % 60;
    const int millis = milliseconds % 1000;
    if (showMilliseconds)
        return FormatReadout(buffer, "%02d:%02d:%02d.%03d", hours, minutes, seconds, millis);
    return FormatReadout(buffer, "%02d:%02d:%02d    ", hours, minutes, seconds);
}

int FormatClockReadout(ReadoutBuffer buffer, const WallTime& now, bool showMilliseconds) {
    if (showMilliseconds)
        return FormatReadout(buffer, "%02d:%02d:%02d.%03d", now.hour, now.minute, now.second,
                             now.milliseconds);
    return FormatReadout(buffer, "%02d:%02d:%02d    ", now.hour, now.minute, now.second);
}

TimeFields SplitSeconds(uint32_t seconds) {
    return {seconds / 3600, seconds % 3600 / 60, seconds % 60};
}

int FormatPresetReadout(ReadoutBuffer buffer, uint32_t seconds, bool showMilliseconds) {
    const TimeFields fields = SplitSeconds(seconds);
    const int hours = static_cast<int>(fields.hours);
    const int minutes = static_cast<int>(fields.minutes);
    const int secs = static_cast<int>(fields.seconds);
    if (showMilliseconds) return FormatReadout(buffer, "%02d:%02d:%02d.000", hours, minutes, secs);
    return FormatReadout(buffer, "%02d:%02d:%02d    ", hours, minutes, secs);
}

int FormatIdleReadout(ReadoutBuffer buffer, TimerMode mode, CountdownKind kind,
                      uint32_t countdownFixSeconds, bool showMilliseconds) {
    if (mode == TimerMode::Countdown && kind == CountdownKind::FixedDuration)
        return FormatPresetReadout(buffer, countdownFixSeconds, showMilliseconds);
    return FormatReadout(buffer, "%s", ZeroReadout(showMilliseconds));
}

bool SameShownSecond(const char* a, const char* b) {
    for (; *a == *b; ++a, ++b) {
        if (*a == '\0') return true;
        if (*a == '.') return true;  // the same seconds, both in the millisecond form
    }
    return false;
}
