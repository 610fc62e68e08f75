// What each command of the buttons, check boxes and popup entries does, which control Tab moves
// the focus to, and when closing must ask first. No <windows.h>: the host tests compile this.
#pragma once

#include <vector>

#include "timer_types.h"

enum class CommandAction {
    Unhandled,  // left to the default processing, which does nothing with it
    StartPauseResume,
    Reset,
    SwitchModeIfChecked,  // a radio button: the click has checked it before the command arrives
    SwitchMode,           // a menu entry: also for the mode already active
    ToggleMilliseconds,
    TopFromCheck,  // the auto check box has already flipped its own mark
    TopFromMenu,
    CountdownDialog,
    ContactDialog,
    Guide,
    CompactFromMenu,
    Exit,
};

struct CommandRoute {
    CommandAction action;
    TimerMode mode;  // for the two mode actions
};

CommandRoute RouteCommand(int id);

// The position in the tab order that Tab gives the focus to: the first eligible (visible and
// enabled) entry after `focused`, else the first one before it; -1 keeps the focus where it is.
// `focused` is -1 when the focus is on none of the entries. The focused entry is never chosen
// again, whatever its own state.
int NextTabStop(int focused, const std::vector<bool>& eligible);

// A stopwatch or countdown that is running or paused asks before the window closes.
bool CloseNeedsConfirmation(TimerMode mode, RunState runState);
