// When the worker raises an always-on-top window again: a plain function of the time values.
#pragma once

#include <cstdint>

// The worker raises an always-on-top window again once 2267 ms or more have passed since it last
// did, but never while the popup menu is tracked (raising would close it), nor while the main
// window is disabled: then one of its modal dialogs or message boxes is open, and raising the
// main window would take the keyboard from it. A raise held back happens at the first iteration
// after the menu or the dialog closes.
// Why a period at all: a topmost window that another topmost window covers stays covered until
// something raises it, and the system tells the covered window nothing. A little over two
// seconds lets whatever came up over the timer be read and dismissed before the timer returns,
// at the cost of one call per period. The exact figure is the one the timer has always kept;
// the keeper tests hold it, so a change here is one the user sees.
constexpr uint64_t kRaiseIntervalMs = 2267;
struct KeeperInput {
    bool alwaysOnTop;
    bool menuOpen;
    bool mainWindowEnabled;
    uint64_t nowTick;
    uint64_t lastRaiseTick;
};
bool KeeperShouldRaise(const KeeperInput& input);
