// The settings file's value rules and the path rule that puts it beside the executable.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kDefaultFixSeconds = 300;
constexpr uint32_t kDefaultToTime = 0;

// The timing works in 32-bit milliseconds. A hand-edited length above 4294967 s or a target above
// 99:99:99 (362439 s, the most the settings dialog can produce) would wrap there, so such a value
// is rejected and the default applies. So is a negative number, which the profile reader hands
// back as a huge unsigned one.
constexpr uint32_t kMaxFixSeconds = 4294967;
constexpr uint32_t kMaxToTime = 362439;

uint32_t AcceptFixSeconds(uint32_t stored);
uint32_t AcceptToTime(uint32_t stored);
// Overtime counting is on only for a stored 1; 0, 2, -1 or a missing key mean off.
inline bool AcceptTimeoutContinue(uint32_t stored) {
    return stored == 1;
}

// The text a value is written as: decimal, no leading zeros.
std::string ConfigValueText(uint32_t value);
inline const char* TimeoutContinueText(bool on) {
    return on ? "1" : "0";
}

// The settings file beside the executable: everything after the last backslash of the module path
// becomes "cfg.ini". A path without a backslash names no folder; the file is then looked for in
// the current folder explicitly (".\cfg.ini"), never in the system folder where the profile
// functions look for bare file names. Paths of MAX_PATH (260) units or more get the "\\?\" prefix
// so that the file functions accept them. Works on any character type (UTF-16 on Windows).
constexpr size_t kShortPathLimit = 260;

template <typename Text>
Text ConfigPathBeside(const Text& modulePath) {
    using Char = typename Text::value_type;
    const Char fileName[] = {'c', 'f', 'g', '.', 'i', 'n', 'i', 0};
    const size_t slash = modulePath.rfind(Char('\\'));
    Text path;
    if (slash == Text::npos) {
        const Char here[] = {'.', '\\', 0};
        path = Text(here) + fileName;
    } else {
        path = modulePath.substr(0, slash + 1) + fileName;
    }
    const Char longPrefix[] = {'\\', '\\', '?', '\\', 0};
    const Char uncPrefix[] = {'\\', '\\', 0};
    if (path.size() >= kShortPathLimit && path.compare(0, 4, longPrefix) != 0) {
        if (path.compare(0, 2, uncPrefix) == 0) {
            const Char longUnc[] = {'\\', '\\', '?', '\\', 'U', 'N', 'C', 0};
            path = Text(longUnc) + path.substr(1);
        } else {
            path = Text(longPrefix) + path;
        }
    }
    return path;
}

// The inverse of the long-path prefix, for functions limited to MAX_PATH that take only plain
// paths: "\\?\UNC\server\share" becomes "\\server\share", "\\?\C:\x" becomes "C:\x".
template <typename Text>
Text WithoutLongPathPrefix(const Text& path) {
    using Char = typename Text::value_type;
    const Char longUnc[] = {'\\', '\\', '?', '\\', 'U', 'N', 'C', '\\', 0};
    const Char longPrefix[] = {'\\', '\\', '?', '\\', 0};
    if (path.compare(0, 8, longUnc) == 0) {
        const Char uncPrefix[] = {'\\', '\\', 0};
        return Text(uncPrefix) + path.substr(8);
    }
    if (path.compare(0, 4, longPrefix) == 0) return path.substr(4);
    return path;
}
