#include "test_support.h"

#include <gtest/gtest.h>

#include "run_control.h"
#include "startup.h"
#include "time_source.h"

HWND TimerWindow() {
    static HWND window = [] {
        EXPECT_TRUE(CreateTimerWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
        PumpMessages();
        return timerState.mainWindow;
    }();
    return window;
}

DrivenTime& Driven() {
    static DrivenTime time;
    return time;
}

namespace {

uint64_t DrivenTick() {
    return Driven().tick.load();
}
void DrivenLocalTime(SYSTEMTIME* now) {
    *now = Driven().local;
}

}  // namespace

void DriveTime() {
    SetTimeReaders(DrivenTick, DrivenLocalTime);
}

void SetDrivenLocalTime(int hour, int minute, int second, int milliseconds, int dayOfWeek) {
    SYSTEMTIME& now = Driven().local;
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 8;
    now.wDayOfWeek = static_cast<WORD>(dayOfWeek);
    now.wHour = static_cast<WORD>(hour);
    now.wMinute = static_cast<WORD>(minute);
    now.wSecond = static_cast<WORD>(second);
    now.wMilliseconds = static_cast<WORD>(milliseconds);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HANDLE StartWorker() {
    return CreateThread(nullptr, 0, TickWorker, nullptr, 0, nullptr);
}

void StopWorker(HANDLE worker) {
    timerState.quitRequested = true;
    // The worker may be waiting for this thread to relabel a button: keep pumping.
    PumpUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }, 5000);
    EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0) << "the worker did not end";
    CloseHandle(worker);
    timerState.quitRequested = false;
}

bool Checked(HWND control) {
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MenuChecked(UINT id) {
    return (MenuState(id) & MF_CHECKED) != 0;
}

bool PressKey(WORD key, DWORD settleMs) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const UINT sent = SendInput(2, input, sizeof(INPUT));
    if (settleMs) Sleep(settleMs);
    return sent == 2;
}

std::string DisplayText() {
    char text[kDisplayTextCapacity];
    CopyDisplayText(text);
    return text;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring MenuText(UINT id) {
    wchar_t text[256] = {};
    GetMenuStringW(timerState.popupMenu, id, text, 256, MF_BYCOMMAND);
    return text;
}

UINT MenuState(UINT id) {
    return GetMenuState(timerState.popupMenu, id, MF_BYCOMMAND);
}

void ResetTimerState() {
    TimerWindow();
    timerState.mode = TimerMode::Stopwatch;
    timerState.countdownKind = CountdownKind::FixedDuration;
    timerState.showMilliseconds = false;
    timerState.timeoutContinue = false;
    timerState.countdownFixSeconds = 300;
    timerState.countdownToTime = 0;
    timerState.highlight = HighlightState::Normal;
    {
        StateLock lock;
        timerState.runState = RunState::Idle;
        timerState.expired = false;
        timerState.accumulatedMs = 0;
        timerState.segmentStartTick = 0;
    }
    // As in stopwatch mode: the run buttons are usable.
    EnableWindow(timerState.startButton, TRUE);
    EnableWindow(timerState.resetButton, TRUE);
    PumpMessages();
}

void PrepareCountdownOfNoLength() {
    ResetTimerState();
    DriveTime();
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 0;
    ResetTimer();
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

WindowMeasure MeasureMainWindow() {
    WindowMeasure m;
    GetWindowRect(timerState.mainWindow, &m.window);
    GetClientRect(timerState.mainWindow, &m.client);
    m.origin = {0, 0};
    ClientToScreen(timerState.mainWindow, &m.origin);
    return m;
}

BandPixels ReadoutBandOnScreen() {
    HWND window = TimerWindow();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    const RECT band = DisplayRect();
    POINT origin = {band.left, band.top};
    ClientToScreen(window, &origin);
    BandPixels read = {band.right - band.left, band.bottom - band.top, {}};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, read.width, read.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, read.width, read.height, screen, origin.x, origin.y, SRCCOPY);
    read.pixels.reserve(static_cast<size_t>(read.width) * read.height);
    for (int y = 0; y < read.height; ++y)
        for (int x = 0; x < read.width; ++x) read.pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return read;
}

std::wstring TestFolder(const std::wstring& name) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"zelvik-" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
