#include "readout_events.h"

#include "timer_state.h"

void AnnounceReadout(DWORD event) {
    // A null window would make the event the desktop's.
    if (timerState.mainWindow)
        NotifyWinEvent(event, timerState.mainWindow, OBJID_CLIENT, kReadoutChildId);
}

void AnnounceReadoutName(bool valueRewritten) {
    AnnounceReadout(EVENT_OBJECT_NAMECHANGE);
    if (valueRewritten) AnnounceReadout(EVENT_OBJECT_VALUECHANGE);
}
