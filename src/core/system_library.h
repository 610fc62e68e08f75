// System DLLs taken from the system folder only. Windows looks for a DLL that is not on its
// KnownDLLs list in the program's own folder first, and people run this program from wherever
// it was downloaded to, next to whatever else landed there.
#pragma once

#include <windows.h>

// From here on, DLLs loaded by name (the system's own, on the program's behalf: the sound stack's
// drivers and codecs) come from the system folder only. Called first thing, before any window
// exists. Windows 7 without update KB2533623 lacks the call; there the loads below still protect
// the program's own libraries.
void RestrictDllSearchToSystemFolder();

// Loads `name` (e.g. L"winmm.dll") from the system folder by its full path, its own imports
// searched there too. Null where that fails: the caller goes on without it.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a loaded library by its name, typed as the caller declares it (WINAPI); null
// when the library is null or lacks it. Functions that Windows 7 lacks are found this way, never
// imported, so the program still starts there.
template <typename Function>
Function FindFunction(HMODULE library, const char* name) {
    if (!library) return nullptr;
    // Through void*: GCC warns when one function pointer type is cast straight to another.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// A function of user32 that older systems lack. user32 is mapped already: the program imports it.
template <typename Function>
Function FindUser32Function(const char* name) {
    return FindFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}
