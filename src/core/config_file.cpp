#include "config_file.h"

#include <windows.h>

#include "config_rules.h"
#include "timer_state.h"

namespace {

const wchar_t kSection[] = L"CFG";

uint32_t ReadKey(const wchar_t* key, uint32_t fallback) {
    return GetPrivateProfileIntW(kSection, key, static_cast<INT>(fallback),
                                 timerState.configPath.c_str());
}

bool WriteKey(const wchar_t* key, const std::string& value) {
    // The values are ASCII digits, so widening byte by byte is exact.
    const std::wstring text(value.begin(), value.end());
    return WritePrivateProfileStringW(kSection, key, text.c_str(), timerState.configPath.c_str()) !=
           FALSE;
}

// The profile functions take at most MAX_PATH units. A longer path is shortened through the 8.3
// names of its folder; where the volume has none, it stays long and the settings are simply not
// stored, as with any other write that fails.
std::wstring ProfileUsablePath(const std::wstring& path) {
    if (WithoutLongPathPrefix(path) == path) return path;
    const size_t slash = path.rfind(L'\\');
    const std::wstring folder = path.substr(0, slash);
    std::wstring shortFolder(folder.size() + 1, L'\0');
    const DWORD length =
        GetShortPathNameW(folder.c_str(), &shortFolder[0], static_cast<DWORD>(shortFolder.size()));
    if (length == 0 || length >= shortFolder.size()) return path;
    shortFolder.resize(length);
    const std::wstring shortPath = WithoutLongPathPrefix(shortFolder + path.substr(slash));
    return shortPath.size() < MAX_PATH ? shortPath : path;
}

}  // namespace

std::wstring ConfigPathForModule(const std::wstring& modulePath) {
    return ProfileUsablePath(ConfigPathBeside(modulePath));
}

std::wstring ModuleConfigPath() {
    // GetModuleFileNameW truncates silently; grow until the whole path fits (up to the 32767
    // units a Windows path can have).
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, &module[0], static_cast<DWORD>(module.size()));
        if (length < module.size() || module.size() >= 32768) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    return ConfigPathForModule(module);
}

void LoadConfiguration() {
    timerState.countdownFixSeconds =
        AcceptFixSeconds(ReadKey(L"countdown_fix_second", kDefaultFixSeconds));
    timerState.countdownToTime = AcceptToTime(ReadKey(L"countdown_to_time", kDefaultToTime));
    timerState.timeoutContinue = AcceptTimeoutContinue(ReadKey(L"timeout_continue", 0));
}

bool SaveConfiguration() {
    // Each write is made even when one before it failed.
    const bool flag =
        WriteKey(L"timeout_continue", TimeoutContinueText(timerState.timeoutContinue));
    const bool length =
        WriteKey(L"countdown_fix_second", ConfigValueText(timerState.countdownFixSeconds));
    const bool target = WriteKey(L"countdown_to_time", ConfigValueText(timerState.countdownToTime));
    return flag && length && target;
}
