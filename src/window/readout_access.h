// What a screen reader is told of the readout, which the window paints itself and so has no
// control of its own: a name from the mode and the run state, and a value that is the readout's
// own characters. No <windows.h> here: the host tests compile this file too.
#pragma once

#include <cstddef>

#include "timer_types.h"

// "时间" in clock mode, whatever the highlight; otherwise "秒表" or "倒计时", followed by
// " 时间到" for a countdown that has run out (its readout red, the overtime counting or not),
// else " 计时中" while it runs and " 已暂停" while it is paused. An idle stopwatch or countdown
// has no run state to tell: its readout shows where a start begins.
const wchar_t* ReadoutAccessName(TimerMode mode, RunState runState, bool expired);

// The readout widened to UTF-16 without its trailing blanks (the four spaces of the plain form),
// cut to capacity - 1 characters and terminated; returns the length.
size_t ReadoutAccessValue(const char* readout, wchar_t* out, size_t capacity);
