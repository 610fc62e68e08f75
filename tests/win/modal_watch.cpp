#include "modal_watch.h"

#include <atomic>

#include "timer_state.h"

namespace {

struct Watch {
    DWORD uiThread;
    const wchar_t* caption;
    WPARAM answer;
    ModalSeen seen;
    std::atomic<bool> returned{false};  // the sent message came back: nothing modal is open
    bool quitPosted = false;
};

DWORD WINAPI WatchModal(LPVOID parameter) {
    Watch& watch = *static_cast<Watch*>(parameter);
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 500 && !dialog && !watch.returned; ++attempt) {
        dialog = FindThreadWindow(watch.uiThread, L"#32770", watch.caption);
        if (!dialog) Sleep(10);
    }
    if (!dialog) return 0;
    watch.seen.appeared = true;
    watch.seen.text = StaticTexts(dialog);
    watch.seen.owner = GetWindow(dialog, GW_OWNER);
    watch.seen.ownerEnabled = IsWindowEnabled(timerState.mainWindow) != FALSE;
    PostMessageW(dialog, WM_COMMAND, watch.answer, 0);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
            watch.seen.closed = true;
            return 0;
        }
        Sleep(10);
    }
    watch.quitPosted = true;
    PostThreadMessageW(watch.uiThread, WM_QUIT, 0, 0);
    return 0;
}

ModalSeen Answer(UINT message, WPARAM wParam, const wchar_t* caption, WPARAM answer) {
    Watch watch;
    watch.uiThread = GetCurrentThreadId();
    watch.caption = caption;
    watch.answer = answer;
    HANDLE watcher = CreateThread(nullptr, 0, WatchModal, &watch, 0, nullptr);
    SendMessageW(timerState.mainWindow, message, wParam, 0);
    watch.returned = true;
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    if (watch.quitPosted) {
        // It ended the modal loop, which posts the quit again for the loop outside.
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    return watch.seen;
}

struct Search {
    DWORD threadId;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    if (GetWindowThreadProcessId(window, nullptr) != search.threadId) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t className[64] = {}, caption[256] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 256);
    if (wcscmp(className, search.className) != 0) return TRUE;
    if (search.caption && wcscmp(caption, search.caption) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK AppendStatic(HWND child, LPARAM parameter) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (_wcsicmp(className, L"Static") != 0) return TRUE;
    const int length = GetWindowTextLengthW(child);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(child, &text[0], length + 1);
    text.resize(length);
    *reinterpret_cast<std::wstring*>(parameter) += text;
    return TRUE;
}

}  // namespace

ModalSeen AnswerModal(WPARAM command, const wchar_t* caption, WPARAM answer) {
    return Answer(WM_COMMAND, command, caption, answer);
}

ModalSeen AnswerModalMessage(UINT message, const wchar_t* caption, WPARAM answer) {
    return Answer(message, 0, caption, answer);
}

HWND FindThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption) {
    Search search = {threadId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring StaticTexts(HWND window) {
    std::wstring text;
    EnumChildWindows(window, AppendStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}
