// The main window as start-up leaves it: frame, caption, class, font, first paint, colours; a
// start whose window cannot be made; and the end, which awaits the worker.
#include <gtest/gtest.h>

#include "resource_ids.h"
#include "run_control.h"
#include "startup.h"
#include "test_support.h"

namespace {

COLORREF Rgb(uint32_t colorref) {
    return static_cast<COLORREF>(colorref);
}

// Counts the pixels of the readout band, as on screen, that have exactly `colour`.
int CountReadoutPixels(COLORREF colour) {
    const BandPixels band = ReadoutBandOnScreen();
    int count = 0;
    for (COLORREF pixel : band.pixels) count += pixel == colour;
    return count;
}

}  // namespace

TEST(MainWindow, FirstPaintShowsZeroInPaleGreenOnDarkGrey) {
    // Before any worker iteration, the readout is the start text in the normal colours.
    HWND window = TimerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    EXPECT_GT(CountReadoutPixels(Rgb(0x81DDAE)), 200);
    EXPECT_GT(CountReadoutPixels(Rgb(0x464646)), 2000);
    EXPECT_EQ(CountReadoutPixels(Rgb(0x64FFFF)), 0);
}

TEST(MainWindow, HighlightSelectsTheReadoutColours) {
    TimerWindow();
    timerState.highlight = HighlightState::FullHour;
    EXPECT_GT(CountReadoutPixels(Rgb(0x64FFFF)), 200);
    EXPECT_EQ(CountReadoutPixels(Rgb(0x81DDAE)), 0);
    timerState.highlight = HighlightState::Expired;
    EXPECT_GT(CountReadoutPixels(Rgb(0x0000EB)), 200);
    timerState.highlight = HighlightState::Normal;
    EXPECT_GT(CountReadoutPixels(Rgb(0x81DDAE)), 200);
}

TEST(MainWindow, FixedFrameOf396By156WithItsCaptionAndClass) {
    HWND window = TimerWindow();
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 396);
    EXPECT_EQ(frame.bottom - frame.top, 156);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "the window must not be resizable";
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0) << "the window must not have a maximize box";

    EXPECT_EQ(WindowText(window), L"Zelvik计时器");

    wchar_t expectedClass[100] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_WINDOW_CLASS, expectedClass, 100), 0);
    wchar_t className[100] = {};
    GetClassNameW(window, className, 100);
    EXPECT_STREQ(className, expectedClass);
}

namespace {

int CALLBACK NoteFontFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

TEST(MainWindow, TheEmbeddedFontIsInstalledForTheProcess) {
    TimerWindow();
    HDC dc = GetDC(nullptr);
    LOGFONTW wanted = {};
    wcscpy(wanted.lfFaceName, L"DEDOziv2");
    wanted.lfCharSet = DEFAULT_CHARSET;
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFontFamily, reinterpret_cast<LPARAM>(&found), 0);
    EXPECT_TRUE(found) << "DEDOziv2 is not available after start-up";

    // The readout font really is DEDOziv2, monospaced: four characters are about 123 pixels at
    // the readout's cell height of 52, which the compact strip's width rests on.
    HGDIOBJ old = SelectObject(dc, timerState.displayFont);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_STREQ(face, L"DEDOziv2");
    SIZE digits, spaces, point;
    GetTextExtentPoint32A(dc, "0000", 4, &digits);
    GetTextExtentPoint32A(dc, "    ", 4, &spaces);
    GetTextExtentPoint32A(dc, ".000", 4, &point);
    EXPECT_NEAR(digits.cx, 123, 3);
    EXPECT_EQ(spaces.cx, digits.cx);
    EXPECT_EQ(point.cx, digits.cx);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

namespace {

// Refuses every window this thread tries to create.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(MainWindow, AStartWhoseWindowCannotBeCreatedEndsWithAFailureCode) {
    TimerWindow();
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // A start that went on regardless would leave its message loop at once instead of hanging.
    PostQuitMessage(0);
    const int exitCode = RunTimer(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    UnhookWindowsHookEx(hook);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(exitCode, kWindowNotCreated);
    EXPECT_TRUE(IsWindow(timerState.mainWindow)) << "the window already there is left alone";
}

TEST(MainWindow, TheEndAnswersAWorkerWaitingOnTheWindowAndAwaitsIt) {
    PrepareCountdownOfNoLength();
    StartPauseResume();
    HANDLE worker = StartWorker();
    HANDLE kept = nullptr;
    DuplicateHandle(GetCurrentProcess(), worker, GetCurrentProcess(), &kept, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    // This thread does not pump: the worker's run-out waits for it to relabel the button.
    Sleep(300);
    timerState.quitRequested = true;
    EndTickWorkerAndSound(worker);
    EXPECT_EQ(WaitForSingleObject(kept, 0), WAIT_OBJECT_0) << "the worker outlived the end";
    EXPECT_EQ(WindowText(timerState.startButton), L"开始");
    CloseHandle(kept);
    timerState.quitRequested = false;
}
