// Reads the running timer from another process, as far as Windows lets one: the window's
// rectangle, style and caption, its region, and each control's id, class, style, state and
// caption; whether the window is enabled and which window has the keyboard; the dialogs and
// message boxes it has open with their controls (in screen coordinates, to click them), and the
// rectangle of an open popup menu. The end-to-end checks print and grep this; menu entries
// cannot be read across processes.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    char bytes[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t text[256] = {}, className[64] = {};
    GetWindowTextW(control, text, 256);
    GetClassNameW(control, className, 64);
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    printf(
        "control id=%d class=%s style=0x%08lX visible=%d enabled=%d check=%d rect=%ld,%ld,%ld,%ld "
        "text=%s\n",
        GetDlgCtrlID(control), Utf8(className).c_str(),
        static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)),
        IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
        static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)), rect.left, rect.top, rect.right,
        rect.bottom, Utf8(text).c_str());
    return TRUE;
}

struct ThreadWindows {
    DWORD thread;
};

BOOL CALLBACK PrintDialogControl(HWND control, LPARAM) {
    wchar_t text[512] = {}, className[64] = {};
    GetWindowTextW(control, text, 512);
    GetClassNameW(control, className, 64);
    RECT rect;
    GetWindowRect(control, &rect);
    std::string flat = Utf8(text);
    for (char& c : flat)
        if (c == '\n') c = '|';
    printf(
        "dialog_control id=%d class=%s visible=%d enabled=%d screen_rect=%ld,%ld,%ld,%ld text=%s\n",
        GetDlgCtrlID(control), Utf8(className).c_str(), IsWindowVisible(control) ? 1 : 0,
        IsWindowEnabled(control) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom,
        flat.c_str());
    return TRUE;
}

// The timer's own modal windows and popup menu: top-level windows of its UI thread.
BOOL CALLBACK PrintThreadWindow(HWND window, LPARAM parameter) {
    const auto* windows = reinterpret_cast<const ThreadWindows*>(parameter);
    if (GetWindowThreadProcessId(window, nullptr) != windows->thread) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t className[64] = {}, caption[256] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 256);
    RECT rect;
    GetWindowRect(window, &rect);
    if (wcscmp(className, L"#32768") == 0) {
        printf("popup rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
    } else if (wcscmp(className, L"#32770") == 0) {
        printf("dialog rect=%ld,%ld,%ld,%ld caption=%s\n", rect.left, rect.top, rect.right,
               rect.bottom, Utf8(caption).c_str());
        EnumChildWindows(window, PrintDialogControl, 0);
    }
    return TRUE;
}

// Closing while a timer runs asks first; "quit" answers that question with OK.
void ConfirmQuestion(DWORD thread) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        Sleep(50);
        HWND box = FindWindowW(L"#32770", L"退出");
        if (box && GetWindowThreadProcessId(box, nullptr) == thread) {
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
    }
}

}  // namespace

// "probe" prints the timer's windows; "probe close" asks it to close as its close button would;
// "probe quit" does the same and confirms if the timer asks.
int wmain(int argc, wchar_t** argv) {
    const bool quit = argc > 1 && wcscmp(argv[1], L"quit") == 0;
    const bool close = quit || (argc > 1 && wcscmp(argv[1], L"close") == 0);
    const wchar_t* className = L"ZelvikTimerWindow";
    HWND window = nullptr;
    // Printing waits up to 10 s for the program to have created and shown its window (FindWindow
    // already finds it while its creation handler runs); closing looks once.
    const int attempts = close ? 1 : 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        window = FindWindowW(className, nullptr);
        if (window && (close || IsWindowVisible(window))) break;
        window = nullptr;
        Sleep(100);
    }
    if (!window) {
        printf("no window\n");
        return 1;
    }
    if (close) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (quit) ConfirmQuestion(GetWindowThreadProcessId(window, nullptr));
        return 0;
    }
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    printf(
        "window rect=%ld,%ld,%ld,%ld size=%ldx%ld client_origin=%ld,%ld style=0x%08lX "
        "exstyle=0x%08lX caption=%s\n",
        frame.left, frame.top, frame.right, frame.bottom, frame.right - frame.left,
        frame.bottom - frame.top, origin.x, origin.y,
        static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), Utf8(caption).c_str());
    // The window region's box in window coordinates, or none while the whole window shows.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    if (GetWindowRgn(window, region) != ERROR && GetRgnBox(region, &box) != ERROR)
        printf("region box=%ld,%ld,%ld,%ld\n", box.left, box.top, box.right, box.bottom);
    else
        printf("region none\n");
    DeleteObject(region);
    EnumChildWindows(window, PrintControl, 0);
    // Whether a modal window has disabled the timer, the focus on its thread (the id of the focused
    // control, 0 for the window itself, -1 for none) and which window has the keyboard.
    HWND foreground = GetForegroundWindow();
    wchar_t foregroundClass[64] = {}, foregroundCaption[256] = {};
    GetClassNameW(foreground, foregroundClass, 64);
    GetWindowTextW(foreground, foregroundCaption, 256);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    const int focusId = thread.hwndFocus == window ? 0
                        : thread.hwndFocus         ? GetDlgCtrlID(thread.hwndFocus)
                                                   : -1;
    printf("state enabled=%d focus_id=%d foreground_class=%s foreground=%s\n",
           IsWindowEnabled(window) ? 1 : 0, focusId, Utf8(foregroundClass).c_str(),
           Utf8(foregroundCaption).c_str());
    ThreadWindows windows = {GetWindowThreadProcessId(window, nullptr)};
    EnumWindows(PrintThreadWindow, reinterpret_cast<LPARAM>(&windows));
    return 0;
}
