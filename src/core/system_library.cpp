#include "system_library.h"

#include <cwchar>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// The same update brings SetDefaultDllDirectories and the LOAD_LIBRARY_SEARCH_* flags.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
    // kernel32 is mapped into every process before the first line of the program runs.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return FindFunction<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
    if (SetDefaultDllDirectoriesFunction restrict = FindSetDefaultDllDirectories())
        restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const UINT folderLength = GetSystemDirectoryW(path, MAX_PATH);
    if (folderLength == 0 || folderLength + 1 + wcslen(name) >= MAX_PATH) return nullptr;
    path[folderLength] = L'\\';
    wcscpy(path + folderLength + 1, name);
    // A full path finds the DLL itself; the flag says where its own imports are looked for. The
    // altered order of older systems starts in the DLL's folder instead of the program's.
    const DWORD flags = FindSetDefaultDllDirectories() ? LOAD_LIBRARY_SEARCH_SYSTEM32
                                                       : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExW(path, nullptr, flags);
}
