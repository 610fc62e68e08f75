#include "sound.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

#include "system_library.h"

namespace {

using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// Loaded from the system folder once, by whichever thread asks first (start-up, in the program);
// the initialisation of a local static is thread-safe. Where it cannot be loaded, every sound is
// silent and the program goes on.
PlaySoundFunction PlaySoundEntry() {
    static const PlaySoundFunction entry = []() -> PlaySoundFunction {
        return FindFunction<PlaySoundFunction>(LoadSystemLibrary(L"winmm.dll"), "PlaySoundW");
    }();
    return entry;
}

}  // namespace

void LoadSoundLibrary() {
    PlaySoundEntry();
}

void PlayResourceSound(int id) {
    if (PlaySoundFunction play = PlaySoundEntry())
        play(MAKEINTRESOURCEW(id), nullptr, SND_RESOURCE | SND_ASYNC);
}

void StopSound() {
    if (PlaySoundFunction play = PlaySoundEntry()) play(nullptr, nullptr, 0);
}
