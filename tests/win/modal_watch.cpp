#include "modal_watch.h"

#include <atomic>

#include "timer_state.h"

namespace {

struct Watch {
    DWORD uiThread;
    std::vector<ModalAnswer> answers;
    std::vector<ModalSeen> seen;
    std::atomic<bool> returned{false};  // the sent message came back: nothing modal is open
    bool quitPosted = false;
};

BOOL CALLBACK NoteChild(HWND child, LPARAM parameter) {
    ModalSeen& seen = *reinterpret_cast<ModalSeen*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (_wcsicmp(className, L"Button") == 0) ++seen.buttons;
    if (_wcsicmp(className, L"Static") == 0 &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        seen.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return TRUE;
}

// Waits for the window of one answer, reads it and answers it; false if it had to end the
// modal loop because the window did not close.
bool AnswerOne(Watch& watch, const ModalAnswer& answer, ModalSeen& seen) {
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 500 && !dialog && !watch.returned; ++attempt) {
        dialog = FindThreadWindow(watch.uiThread, L"#32770", answer.caption);
        if (!dialog) Sleep(10);
    }
    if (!dialog) return true;
    seen.appeared = true;
    seen.text = StaticTexts(dialog);
    EnumChildWindows(dialog, NoteChild, reinterpret_cast<LPARAM>(&seen));
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ownerEnabled = IsWindowEnabled(timerState.mainWindow) != FALSE;
    PostMessageW(dialog, WM_COMMAND, answer.answer, 0);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
            seen.closed = true;
            return true;
        }
        Sleep(10);
    }
    watch.quitPosted = true;
    PostThreadMessageW(watch.uiThread, WM_QUIT, 0, 0);
    return false;
}

DWORD WINAPI WatchModal(LPVOID parameter) {
    Watch& watch = *static_cast<Watch*>(parameter);
    for (size_t i = 0; i < watch.answers.size(); ++i)
        if (!AnswerOne(watch, watch.answers[i], watch.seen[i])) break;
    return 0;
}

std::vector<ModalSeen> Answer(UINT message, WPARAM wParam, std::vector<ModalAnswer> answers) {
    Watch watch;
    watch.uiThread = GetCurrentThreadId();
    watch.seen.resize(answers.size());
    watch.answers = std::move(answers);
    HANDLE watcher = CreateThread(nullptr, 0, WatchModal, &watch, 0, nullptr);
    SendMessageW(timerState.mainWindow, message, wParam, 0);
    watch.returned = true;
    // The watcher may be reading a window of this thread (GetWindowTextW sends it a message):
    // answer such messages while waiting for it.
    while (MsgWaitForMultipleObjects(1, &watcher, FALSE, INFINITE, QS_SENDMESSAGE) !=
           WAIT_OBJECT_0) {
        MSG sent;
        PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
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
    return Answer(WM_COMMAND, command, {{caption, answer}}).front();
}

std::vector<ModalSeen> AnswerModals(WPARAM command, std::vector<ModalAnswer> answers) {
    return Answer(WM_COMMAND, command, std::move(answers));
}

ModalSeen AnswerModalMessage(UINT message, const wchar_t* caption, WPARAM answer) {
    return Answer(message, 0, {{caption, answer}}).front();
}

HWND FindThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption) {
    Search search = {threadId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AwaitPopupMenu(DWORD threadId, const std::atomic<bool>* givenUp) {
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 300 && !menu && !(givenUp && *givenUp); ++attempt) {
        menu = FindThreadWindow(threadId, L"#32768", nullptr);
        if (!menu) Sleep(10);
    }
    return menu;
}

std::wstring StaticTexts(HWND window) {
    std::wstring text;
    EnumChildWindows(window, AppendStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}
