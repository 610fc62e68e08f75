// Switching between clock, stopwatch and countdown, and the millisecond form of the readout.
#pragma once

#include "timer_types.h"

// Stores the mode and applies its row: idle readout, run controls, settings button, focus, radio
// buttons and menu check marks. Selecting the current mode again applies the whole row again.
void SwitchMode(TimerMode newMode);

// Flips the millisecond form, rewrites an idle or paused readout in the new form, refits the
// compact strip and brings the check box and the menu check mark in line.
void ToggleMilliseconds();
