#include "mode_control.h"

void SwitchMode(TimerMode) {}

void ToggleMilliseconds() {}
