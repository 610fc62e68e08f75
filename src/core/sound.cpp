#include "sound.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

void PlayResourceSound(int id) {
    PlaySoundW(MAKEINTRESOURCEW(id), nullptr, SND_RESOURCE | SND_ASYNC);
}

void StopSound() {
    PlaySoundW(nullptr, nullptr, 0);
}
