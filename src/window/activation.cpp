#include "activation.h"

namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchEnabledOwned(HWND candidate, LPARAM parameter) {
    auto* search = reinterpret_cast<OwnedSearch*>(parameter);
    if (GetWindow(candidate, GW_OWNER) != search->owner || !IsWindowVisible(candidate) ||
        !IsWindowEnabled(candidate))
        return TRUE;
    search->found = candidate;
    return FALSE;
}

// The modal window that disabled `owner`: an enabled, visible window of this thread that it
// owns. (Wine records no last active popup for a message box and has no GW_ENABLEDPOPUP.)
HWND EnabledOwnedWindow(HWND owner) {
    OwnedSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchEnabledOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !IsWindowEnabled(window)) {
        if (HWND modal = EnabledOwnedWindow(window)) {
            SetForegroundWindow(modal);
            return 0;
        }
    }
    return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
}
