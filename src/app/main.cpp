#include <windows.h>

#include "startup.h"
#include "system_library.h"
#include "timer_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Before anything can load a DLL on the program's behalf.
    RestrictDllSearchToSystemFolder();
    PrepareTimerState();
    return RunTimer(instance, showCommand);
}
