#include <windows.h>

#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunTimer(instance, showCommand);
}
