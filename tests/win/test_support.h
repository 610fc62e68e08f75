// Shared helpers of the Windows-side tests: the timer window created once per process, time
// driven by the test, and a worker thread the test can stop.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tick_worker.h"
#include "timer_state.h"

// Creates the main window through the real start-up path, once per test process.
HWND TimerWindow();

// The tick counter and the local time as the test sets them.
struct DrivenTime {
    std::atomic<uint64_t> tick{1000000};
    SYSTEMTIME local{};
};
DrivenTime& Driven();
void DriveTime();  // installs the driven readers
void SetDrivenLocalTime(int hour, int minute, int second, int milliseconds, int dayOfWeek = 2);

// Dispatches whatever is waiting for the UI thread (sent messages included).
void PumpMessages();
// Pumps until `done` holds or `timeoutMs` passes; returns whether it held.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        PumpMessages();
        Sleep(1);
    }
    return true;
}

// A real tick worker thread; StopWorker ends it and clears quitRequested for the next test.
HANDLE StartWorker();
void StopWorker(HANDLE worker);

// A button's check, and a popup-menu entry's check mark.
bool Checked(HWND control);
bool MenuChecked(UINT id);

// A key pressed and released through the system's input queue, as the keyboard would; waits
// `settleMs` afterwards. Returns whether both events were taken.
bool PressKey(WORD key, DWORD settleMs = 0);

std::string DisplayText();
std::wstring WindowText(HWND window);
std::wstring MenuText(UINT id);
UINT MenuState(UINT id);

// A folder of this name under the temporary folder, created if need be (%TEMP%\zelvik-NAME).
std::wstring TestFolder(const std::wstring& name);

// A whole file written or read in one piece, for the settings file tests; reading a file that
// does not exist gives "<missing>".
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);

// The main window's geometry as the system reports it.
struct WindowMeasure {
    RECT window;
    POINT origin;  // the client area's origin on screen
    RECT client;
    int fx() const { return origin.x - window.left; }  // the left frame
    int fy() const { return origin.y - window.top; }   // the caption and the top frame
};
WindowMeasure MeasureMainWindow();

// The readout band as the screen shows it after a repaint, row by row.
struct BandPixels {
    int width;
    int height;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
BandPixels ReadoutBandOnScreen();

// Puts the timer back to its start-up state between tests.
void ResetTimerState();

// The start-up state on driven time, in a countdown of no length: started, it runs out at the
// worker's first look.
void PrepareCountdownOfNoLength();
