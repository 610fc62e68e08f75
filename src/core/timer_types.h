// Enumerations, colours and geometry of the timer state, shared by the rules and the Win32 shell.
// No <windows.h> here: the host tests compile this file too.
#pragma once

#include <cstdint>

enum class TimerMode : int32_t { Clock = 0, Stopwatch = 1, Countdown = 2 };

enum class RunState : int32_t {
    Idle = 0,  // reset, nothing counted
    Running = 1,
    Paused = 2,
};

enum class CountdownKind : int32_t {
    FixedDuration = 0,  // count down a length
    UntilTime = 1,      // count down to a time of day
};

enum class HighlightState : int32_t { Normal = 0, Expired = 1, HalfHour = 2, FullHour = 3 };

// Colours are COLORREF values, 0x00BBGGRR.
struct ReadoutColours {
    uint32_t text;
    uint32_t background;
};

constexpr uint32_t kWindowFillColour = 0xF0F0F0;

inline ReadoutColours HighlightColours(HighlightState highlight) {
    constexpr uint32_t darkGrey = 0x464646;
    switch (highlight) {
        case HighlightState::Expired:
            return {0x0000EB, darkGrey};
        case HighlightState::HalfHour:
        case HighlightState::FullHour:
            return {0x64FFFF, darkGrey};
        case HighlightState::Normal:
            break;
    }
    return {0x81DDAE, darkGrey};
}

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Where the readout is drawn and what the worker invalidates, in client pixels.
constexpr PixelRect kDisplayRect = {0, 30, 380, 85};

// A local wall-clock reading, the fields of SYSTEMTIME that the timing rules use.
struct WallTime {
    int hour;
    int minute;
    int second;
    int milliseconds;
    int dayOfWeek;  // 0 = Sunday ... 6 = Saturday
};
