// Drives and watches a running timer (or the reference window) from another process, for the
// performance and soak scripts:
//   launch CLASS EXE [ARGS]    start EXE, print the milliseconds until its readout is painted,
//                              then end it
//   wait CLASS                 wait for the window to be shown
//   resources CLASS            the owner's handle count, GDI and USER objects
//   click CLASS ID             a click on the child control ID (BM_CLICK)
//   command CLASS ID           WM_COMMAND ID, as the popup menu sends it
//   dialog CLASS ID            click control ID, wait for the modal dialog it opens, cancel it
//   origin CLASS               the client area's top left corner on the screen
//   readout CLASS              a checksum and the pale green pixel count of the readout band
#include <windows.h>

#include <winternl.h>

#include <cstdio>
#include <vector>
#include <cwchar>
#include <string>

namespace {

// The readout's text colours: normal, half or full hour, expired.
constexpr COLORREF kReadoutGreen = 0x81DDAE;
constexpr COLORREF kReadoutYellow = 0x64FFFF;
constexpr COLORREF kReadoutRed = 0x0000EB;

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND FindShown(const wchar_t* className, DWORD processId, int waitMs) {
    const double end = NowMs() + waitMs;
    do {
        for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window;
             window = FindWindowExW(nullptr, window, className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((!processId || owner == processId) && IsWindowVisible(window)) return window;
        }
        Sleep(2);
    } while (NowMs() < end);
    return nullptr;
}

struct Band {
    unsigned long checksum;
    int green;
    int text;  // in any of the readout's colours
};

// The readout band (client 0,30 to 380,85) as it is on the screen.
Band ReadBand(HWND window) {
    POINT origin = {0, 30};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 380;
    info.bmiHeader.biHeight = -55;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 380, 55, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    Band band = {0, 0, 0};
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < 380 * 55; ++i) {
        const DWORD rgb = pixel[i] & 0xFFFFFF;  // 0x00RRGGBB
        band.checksum = band.checksum * 31 + rgb;
        const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        if (colour == kReadoutGreen) ++band.green;
        if (colour == kReadoutGreen || colour == kReadoutYellow || colour == kReadoutRed)
            ++band.text;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return band;
}

int Launch(const wchar_t* className, int argc, wchar_t** argv) {
    std::wstring commandLine = L"\"" + std::wstring(argv[0]) + L"\"";
    for (int i = 1; i < argc; ++i) commandLine += L" " + std::wstring(argv[i]);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = NowMs();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        printf("launch failed %lu\n", GetLastError());
        return 1;
    }
    HWND window = FindShown(className, process.dwProcessId, 20000);
    const double shown = NowMs();
    int result = 1;
    while (window && NowMs() - start < 20000) {
        if (ReadBand(window).text > 200) {
            printf("window_ms=%.1f first_readout_ms=%.1f\n", shown - start, NowMs() - start);
            result = 0;
            break;
        }
        Sleep(2);
    }
    if (result) printf("no readout\n");
    // The program was started only to be timed: end it.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return result;
}

// Handles the process holds, from the system's handle table (Wine answers GetProcessHandleCount
// and GetGuiResources with zero).
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandles {
    ULONG count;
    SystemHandleEntry entries[1];
};
long CountHandles(DWORD processId) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    constexpr ULONG kSystemHandleInformation = 16;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const LONG status = query(kSystemHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status >= 0) break;
        if (attempt == 7) return -1;
        buffer.resize(buffer.size() * 2);
    }
    const auto* handles = reinterpret_cast<const SystemHandles*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < handles->count; ++i)
        if (handles->entries[i].ownerPid == processId) ++count;
    return count;
}

// A modal dialog owned by `window`, if one is shown.
HWND OwnedDialog(HWND window) {
    for (HWND dialog = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); dialog;
         dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr))
        if (GetWindow(dialog, GW_OWNER) == window && IsWindowVisible(dialog)) return dialog;
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        printf("usage: see the comment at the top of perf_probe.cpp\n");
        return 2;
    }
    const std::wstring verb = argv[1];
    const wchar_t* className = argv[2];
    if (verb == L"launch" && argc >= 4) return Launch(className, argc - 3, argv + 3);

    HWND window = FindShown(className, 0, 10000);
    if (!window) {
        printf("no window\n");
        return 1;
    }
    if (verb == L"wait") return 0;
    if (verb == L"resources") {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
        DWORD handles = 0;
        GetProcessHandleCount(process, &handles);
        printf("handles=%lu system_handles=%ld gdi=%lu user=%lu\n", handles,
               CountHandles(processId), GetGuiResources(process, GR_GDIOBJECTS),
               GetGuiResources(process, GR_USEROBJECTS));
        CloseHandle(process);
        return 0;
    }
    if (verb == L"origin") {
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        printf("%ld %ld\n", origin.x, origin.y);
        return 0;
    }
    if (verb == L"readout") {
        const Band band = ReadBand(window);
        printf("checksum=%08lx green=%d\n", band.checksum, band.green);
        return 0;
    }
    if (argc < 4) return 2;
    const int id = _wtoi(argv[3]);
    if (verb == L"click") {
        HWND control = GetDlgItem(window, id);
        if (!control) return 1;
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (verb == L"command") {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return 0;
    }
    if (verb == L"dialog") {
        // Repeats: open and cancel the dialog `count` times (argument 5, default 1).
        const int count = argc > 4 ? _wtoi(argv[4]) : 1;
        for (int i = 0; i < count; ++i) {
            PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
            HWND dialog = nullptr;
            for (int wait = 0; wait < 2500 && !dialog; ++wait, Sleep(2))
                dialog = OwnedDialog(window);
            if (!dialog) {
                printf("no dialog after %d\n", i);
                return 1;
            }
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            for (int wait = 0; wait < 2500 && IsWindow(dialog); ++wait) Sleep(2);
            if (IsWindow(dialog)) {
                printf("dialog stayed open after %d\n", i);
                return 1;
            }
        }
        printf("dialog opened and cancelled %d times\n", count);
        return 0;
    }
    return 2;
}
