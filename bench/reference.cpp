// The floor the timer is measured against: a window that does only what the timer's readout
// must do, and nothing else. A thread samples the time every 2 ms, formats it, stores it under a
// lock and invalidates the readout band; the paint handler draws it double-buffered in the
// embedded LCD face at the timer's size, under the timer's own caption (drawn in the bold CJK
// face, whose glyphs are part of any window with that caption). No controls, menu, sounds or
// settings.
//
// Usage: zelvik-reference.exe [plain | milliseconds | counting | counting-plain]
//   plain, milliseconds: the local time, as the clock shows it
//   counting, counting-plain: milliseconds since start, as a running stopwatch or fixed
//   countdown shows them (64-bit values)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

enum class Form { Plain, Milliseconds, Counting, CountingPlain };

constexpr RECT kReadoutBand = {0, 30, 380, 85};
constexpr COLORREF kTextColour = 0x81DDAE;
constexpr COLORREF kCellColour = 0x464646;

Form form = Form::Plain;
HWND mainWindow = nullptr;
HFONT readoutFont = nullptr;
HBRUSH fillBrush = nullptr;
CRITICAL_SECTION textLock;
char readoutText[32] = "00:00:00.000";
uint64_t startTick = 0;

int FormatNow(char (&buffer)[20]) {
    if (form == Form::Counting || form == Form::CountingPlain) {
        const uint64_t v = GetTickCount64() - startTick;
        const long long h = static_cast<long long>(v / 3600000);
        const long long m = static_cast<long long>(v / 60000 % 60);
        const long long s = static_cast<long long>(v / 1000 % 60);
        const long long ms = static_cast<long long>(v % 1000);
        if (form == Form::Counting)
            return snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", h, m, s, ms);
        return snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld    ", h, m, s);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (form == Form::Milliseconds)
        return snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", now.wHour, now.wMinute,
                        now.wSecond, now.wMilliseconds);
    return snprintf(buffer, sizeof buffer, "%02d:%02d:%02d    ", now.wHour, now.wMinute,
                    now.wSecond);
}

DWORD WINAPI Worker(LPVOID) {
    char buffer[20] = {};
    for (;;) {
        const int length = FormatNow(buffer);
        EnterCriticalSection(&textLock);
        if (length > 0 && length < 20) memcpy(readoutText, buffer, static_cast<size_t>(length) + 1);
        LeaveCriticalSection(&textLock);
        InvalidateRect(mainWindow, &kReadoutBand, FALSE);
        Sleep(2);
    }
}

void Paint(HWND window) {
    char text[32];
    EnterCriticalSection(&textLock);
    memcpy(text, readoutText, sizeof text);
    LeaveCriticalSection(&textLock);

    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memoryDc, bitmap);
    HGDIOBJ oldFont = SelectObject(memoryDc, readoutFont);
    SetTextColor(memoryDc, kTextColour);
    SetBkColor(memoryDc, kCellColour);
    FillRect(memoryDc, &client, fillBrush);
    RECT band = kReadoutBand;
    DrawTextA(memoryDc, text, -1, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    BitBlt(windowDc, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, oldFont);
    SelectObject(memoryDc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Form FormFromCommandLine(const wchar_t* commandLine) {
    if (wcsstr(commandLine, L"counting-plain")) return Form::CountingPlain;
    if (wcsstr(commandLine, L"counting")) return Form::Counting;
    if (wcsstr(commandLine, L"milliseconds")) return Form::Milliseconds;
    return Form::Plain;
}

void InstallFont(HINSTANCE instance) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(130), L"TTF");
    void* bytes = LockResource(LoadResource(instance, resource));
    DWORD installed = 0;
    AddFontMemResourceEx(bytes, SizeofResource(instance, resource), nullptr, &installed);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    form = FormFromCommandLine(commandLine);
    InitializeCriticalSection(&textLock);
    fillBrush = CreateSolidBrush(0xF0F0F0);
    startTick = GetTickCount64();
    InstallFont(instance);
    readoutFont =
        CreateFontW(52, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"DEDOziv2");

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ZelvikReferenceWindow";
    RegisterClassExW(&windowClass);
    mainWindow = CreateWindowExW(0, windowClass.lpszClassName, L"Zelvik计时器",
                                 WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 396, 156, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) return 0;
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    HANDLE worker = CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
    if (worker) CloseHandle(worker);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
