// Reads the running timer from another process, as far as Windows lets one: the window's
// rectangle, style and caption, its region, and each control's id, class, style, state and
// caption. The end-to-end checks print and grep this; menus cannot be read across processes.
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

}  // namespace

// "probe" prints the timer's windows; "probe close" asks it to close as its close button would.
int wmain(int argc, wchar_t** argv) {
    const bool close = argc > 1 && wcscmp(argv[1], L"close") == 0;
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
    return 0;
}
