#include "readout_access.h"

#include <cstring>

const wchar_t* ReadoutAccessName(TimerMode mode, RunState runState, bool expired) {
    switch (mode) {
        case TimerMode::Clock:
            return L"时间";
        case TimerMode::Stopwatch:
            if (runState == RunState::Running) return L"秒表 计时中";
            if (runState == RunState::Paused) return L"秒表 已暂停";
            return L"秒表";
        case TimerMode::Countdown:
            break;
    }
    // Expired first: a countdown counting its overtime is still running, but what the user
    // needs to hear is that its time is up.
    if (expired) return L"倒计时 时间到";
    if (runState == RunState::Running) return L"倒计时 计时中";
    if (runState == RunState::Paused) return L"倒计时 已暂停";
    return L"倒计时";
}

size_t ReadoutAccessValue(const char* readout, wchar_t* out, size_t capacity) {
    if (capacity == 0) return 0;
    size_t length = strlen(readout);
    while (length > 0 && readout[length - 1] == ' ') --length;
    if (length > capacity - 1) length = capacity - 1;
    // The readout is ASCII: digits, colons, a point and spaces.
    for (size_t i = 0; i < length; ++i) out[i] = static_cast<wchar_t>(readout[i]);
    out[length] = L'\0';
    return length;
}
