// Modal windows (message boxes, dialogs, the popup menu) run their own loop on the UI thread, so
// the test thread blocks inside them. A watcher thread looks at them from outside and answers.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

struct ModalSeen {
    bool appeared = false;
    std::wstring text;     // the texts of its static controls, in child order
    HICON icon = nullptr;  // the icon a message box shows
    int buttons = 0;
    HWND owner = nullptr;
    bool ownerEnabled = true;  // the owner's state while the modal window was shown
    bool closed = false;       // it went away after the answer
};

// Sends WM_COMMAND `command` to the main window and, while it runs, waits up to 5 s for a
// dialog window (class #32770) captioned `caption` of this thread; reads it, then posts it
// WM_COMMAND `answer` (IDOK, IDCANCEL). A dialog that does not close on its answer is ended
// with WM_QUIT, so that a faulty procedure fails the test instead of hanging it.
ModalSeen AnswerModal(WPARAM command, const wchar_t* caption, WPARAM answer);

// The same for a command that opens modal windows one after the other: each caption is awaited
// once the window before it has closed, until the command returns. Returns what was seen of each;
// one that did not appear before the command returned has `appeared` false.
struct ModalAnswer {
    const wchar_t* caption;
    WPARAM answer;
};
std::vector<ModalSeen> AnswerModals(WPARAM command, std::vector<ModalAnswer> answers);

// The same for a message sent to the main window (WM_CLOSE).
ModalSeen AnswerModalMessage(UINT message, const wchar_t* caption, WPARAM answer);

// A visible top-level window of `className` (and caption, if given) on this process's UI
// thread, or null.
HWND FindThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption);

// Waits up to 3 s for the popup menu (class #32768) of `threadId` to be shown, or until
// `givenUp` (when given) turns true; the menu, or null if none came.
HWND AwaitPopupMenu(DWORD threadId, const std::atomic<bool>* givenUp = nullptr);

// The concatenated texts of the Static children of `window`.
std::wstring StaticTexts(HWND window);
