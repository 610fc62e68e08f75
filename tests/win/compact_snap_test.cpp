// Compact mode and edge snapping on the real window: its region, its position after the arrow
// keys, and which double-clicks toggle the strip.
#include "compact_mode.h"

#include <gtest/gtest.h>

#include "mode_control.h"
#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"

namespace {

// The strip's rounded-rectangle arguments, in window coordinates: the readout band
// {0, 30, 380, 85} less its margin, 123 pixels shorter without milliseconds.
RECT StripArguments(bool showMilliseconds) {
    const WindowMeasure m = MeasureMainWindow();
    const int n = showMilliseconds ? 0 : 123;
    return {0 + m.fx() + 3, 30 + m.fy() + 1, 380 + m.fx() - 2 - n, 85 + m.fy() - 1};
}

bool HasRegion() {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(timerState.mainWindow, region);
    DeleteObject(region);
    return kind != ERROR;
}

// The window's region is exactly the one the arguments make; returns its box.
RECT ExpectStripRegion(bool showMilliseconds) {
    RECT box = {};
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(timerState.mainWindow, actual), ERROR) << "no region";
    const RECT a = StripArguments(showMilliseconds);
    HRGN expected = CreateRoundRectRgn(a.left, a.top, a.right, a.bottom, 0, 0);
    EXPECT_TRUE(EqualRgn(actual, expected));
    GetRgnBox(actual, &box);
    // Wine's box is a pixel short of the arguments at the right and bottom.
    EXPECT_EQ(box.left, a.left);
    EXPECT_EQ(box.top, a.top);
    EXPECT_GE(box.right, a.right - 1);
    EXPECT_LE(box.right, a.right);
    EXPECT_GE(box.bottom, a.bottom - 1);
    EXPECT_LE(box.bottom, a.bottom);
    DeleteObject(expected);
    DeleteObject(actual);
    return box;
}

void MoveWindowTo(int x, int y) {
    SetWindowPos(timerState.mainWindow, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

void Press(HWND target, WPARAM key) {
    SendMessageW(target, WM_KEYDOWN, key, 1);
    PumpMessages();
}

// A real double-click of the left button at a screen point, through the system's input queue.
void DoubleClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    PumpMessages();
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, clicks, sizeof(INPUT));
    const ULONGLONG end = GetTickCount64() + 400;
    while (GetTickCount64() < end) {
        PumpMessages();
        Sleep(5);
    }
}

class CompactAndSnap : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        ResetTimer();
        SwitchMode(TimerMode::Stopwatch);
        MoveWindowTo(300, 250);
    }
    void TearDown() override {
        if (timerState.compactMode) ToggleCompactFromMenu();
        if (timerState.showMilliseconds) ToggleMilliseconds();
        MoveWindowTo(300, 250);
    }
    void ExpectCompact(bool compact) {
        EXPECT_EQ(timerState.compactMode, compact);
        EXPECT_EQ((MenuState(IDM_COMPACT) & MF_CHECKED) != 0, compact);
        if (!compact) {
            EXPECT_FALSE(HasRegion()) << "the whole window shows outside compact mode";
        }
    }
};

}  // namespace

TEST_F(CompactAndSnap, DoubleClickTogglesTheStripAndFocusesStartTheMenuLeavesTheFocus) {
    SetFocus(timerState.resetButton);
    SendMessageW(timerState.mainWindow, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ExpectCompact(true);
    ExpectStripRegion(false);
    EXPECT_EQ(GetFocus(), timerState.startButton);

    SetFocus(timerState.resetButton);
    SendMessageW(timerState.mainWindow, WM_NCLBUTTONDBLCLK, HTBORDER, 0);  // the frame too
    ExpectCompact(false);
    EXPECT_EQ(GetFocus(), timerState.startButton);

    SetFocus(timerState.resetButton);
    ToggleCompactFromMenu();
    ExpectCompact(true);
    ExpectStripRegion(false);
    EXPECT_EQ(GetFocus(), timerState.resetButton);
    ToggleCompactFromMenu();
    ExpectCompact(false);
    EXPECT_EQ(GetFocus(), timerState.resetButton);
}

TEST_F(CompactAndSnap, TheStripFollowsTheMillisecondFormAndGoesWithCompactMode) {
    ToggleMilliseconds();
    EXPECT_FALSE(HasRegion()) << "the toggle alone does not clip the window";
    ToggleCompactFromMenu();
    const RECT wide = ExpectStripRegion(true);
    ToggleMilliseconds();
    const RECT narrow = ExpectStripRegion(false);
    EXPECT_EQ(wide.right - narrow.right, 123);
    EXPECT_EQ(wide.left, narrow.left);
    EXPECT_EQ(wide.bottom, narrow.bottom);
    ToggleMilliseconds();
    ExpectStripRegion(true);
    ToggleCompactFromMenu();
    ExpectCompact(false);
    ToggleMilliseconds();
    EXPECT_FALSE(HasRegion());
}

TEST_F(CompactAndSnap, ArrowKeysPutTheWindowOrTheStripAgainstThePrimaryScreensEdges) {
    const int sx = GetSystemMetrics(SM_CXSCREEN);
    const int sy = GetSystemMetrics(SM_CYSCREEN);
    const WindowMeasure start = MeasureMainWindow();
    // Frames of equal width at the left, right and bottom, as the snapping assumes.
    ASSERT_EQ(start.window.right - start.origin.x - start.client.right, start.fx());
    ASSERT_EQ(start.window.bottom - start.origin.y - start.client.bottom, start.fx());

    for (bool compact : {false, true}) {
        for (bool ms : {true, false}) {
            // Keys reach the window directly or through a focused control's forwarder.
            for (HWND target : {timerState.mainWindow, timerState.startButton}) {
                SCOPED_TRACE(testing::Message()
                             << "compact " << compact << " ms " << ms
                             << (target == timerState.startButton ? " from the start button"
                                                                  : " on the window"));
                if (timerState.compactMode != compact) ToggleCompactFromMenu();
                if (timerState.showMilliseconds != ms) ToggleMilliseconds();
                const RECT strip = StripArguments(ms);
                MoveWindowTo(300, 250);
                SetFocus(target);

                Press(target, VK_LEFT);
                WindowMeasure m = MeasureMainWindow();
                EXPECT_EQ(compact ? m.window.left + strip.left : m.origin.x, 0);
                EXPECT_EQ(m.window.top, 250);

                Press(target, VK_UP);
                m = MeasureMainWindow();
                EXPECT_EQ(compact ? m.window.top + strip.top : m.window.top, 0);
                EXPECT_EQ(m.window.left, compact ? -strip.left : -m.fx());

                Press(target, VK_RIGHT);
                m = MeasureMainWindow();
                // The strip's exclusive right edge lies a pixel beyond the screen.
                EXPECT_EQ(compact ? m.window.left + strip.right : m.origin.x + m.client.right,
                          compact ? sx + 1 : sx);
                EXPECT_EQ(m.window.top, compact ? -strip.top : 0);

                Press(target, VK_DOWN);
                m = MeasureMainWindow();
                EXPECT_EQ(compact ? m.window.top + strip.bottom : m.origin.y + m.client.bottom,
                          compact ? sy + 1 : sy);
                const RECT atCorner = m.window;

                // Already flush: the same key leaves it there.
                Press(target, VK_DOWN);
                Press(target, VK_RIGHT);
                m = MeasureMainWindow();
                EXPECT_TRUE(EqualRect(&m.window, &atCorner));
                if (compact) ExpectStripRegion(ms);
            }
        }
    }
}

TEST_F(CompactAndSnap, ASnapRaisesAndActivatesTheWindowAndKeepsItTopmost) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), other);
    Press(timerState.mainWindow, VK_LEFT);
    EXPECT_EQ(GetActiveWindow(), timerState.mainWindow);
    EXPECT_NE(GetWindowLongW(timerState.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    DestroyWindow(other);
    PumpMessages();
}

TEST_F(CompactAndSnap, ADoubleClickOnAButtonStaysWithTheButton) {
    // The message itself, as the button receives it.
    SendMessageW(timerState.resetButton, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(timerState.resetButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    ExpectCompact(false);

    // And real double-clicks: on the caption it toggles, on a button it does not.
    const WindowMeasure m = MeasureMainWindow();
    DoubleClickAt({m.window.left + 150, (m.window.top + m.origin.y) / 2});
    ExpectCompact(true);
    ToggleCompactFromMenu();
    ExpectCompact(false);

    RECT button;
    GetWindowRect(timerState.resetButton, &button);
    DoubleClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    ExpectCompact(false);
}
