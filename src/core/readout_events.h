// What a screen reader is told when the readout changes: WinEvents for the readout's element in
// the main window's client object (src/window/readout_accessible.cpp). Raised by the worker and
// by the operations that change the run state or rewrite the readout, never while the state lock
// is held: a screen reader's in-context hook runs inside the call and asks the window for the
// object, which waits for the UI thread. Where no screen reader hooks the events, a call costs
// next to nothing.
#pragma once

#include <windows.h>

// The readout's child id in the main window's client object: before the controls.
constexpr LONG kReadoutChildId = 1;

// Spoken by screen readers without the focus on the element (Windows 8's event; older systems
// pass it to hooks like any other).
constexpr DWORD kEventLiveRegionChanged = 0x8019;

// EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE or kEventLiveRegionChanged.
void AnnounceReadout(DWORD event);

// The run state or the mode changed, and with it the readout's name; `valueRewritten`: the
// operation rewrote the readout as well.
void AnnounceReadoutName(bool valueRewritten);
