// The window at the display's scale. Run in prefixes whose display is set to 144 and 192 DPI
// (ZELVIK_DPI, see tools/wine-env.sh) and in the ordinary 96-DPI one: the window, its controls,
// the readout, the compact strip, the snaps and the dialogs are the 96-DPI layout scaled, and a change
// of DPI while the window is up lays it out anew.
#include <gtest/gtest.h>

#include <cstdlib>

#include "compact_mode.h"
#include "contact_dialog.h"
#include "countdown_dialog.h"
#include "dialog_driver.h"
#include "display_dpi.h"
#include "mode_control.h"
#include "resource_ids.h"
#include "run_control.h"
#include "test_support.h"

namespace {

// The DPI the prefix was set up with; the window must really be at it, or the test proves
// nothing.
int ExpectedDpi() {
    const char* dpi = getenv("ZELVIK_DPI");
    return dpi && *dpi ? atoi(dpi) : 96;
}

int S(int value) {
    return ScaleToDpi(value, timerState.layout.dpi);
}

struct Slot {
    HWND TimerState::*handle;
    int x, y, width, height;  // the layout's figures, at 96 DPI
    bool fromRight;           // x counts back from the window's outer right edge
};
const Slot kSlots[] = {
    {&TimerState::clockRadio, 1, 2, 51, 26, false},
    {&TimerState::stopwatchRadio, 54, 2, 51, 26, false},
    {&TimerState::countdownRadio, 107, 2, 68, 26, false},
    {&TimerState::setButton, 175, 2, 85, 26, false},
    {&TimerState::topCheck, 72, 2, 52, 26, true},
    {&TimerState::msCheck, 128, 2, 52, 26, true},
    {&TimerState::startButton, 3, 88, 98, 26, false},
    {&TimerState::resetButton, 105, 88, 98, 26, false},
};

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int FontHeight(HFONT font) {
    LOGFONTW logical = {};
    GetObjectW(font, sizeof logical, &logical);
    return logical.lfHeight;
}

// The side of an icon's picture.
int IconSide(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

HICON WindowIcon(WPARAM kind) {
    return reinterpret_cast<HICON>(SendMessageW(timerState.mainWindow, WM_GETICON, kind, 0));
}

// The outer size, the eight controls (inside the client area), the fonts and the icons at `dpi`.
void ExpectLaidOutAt(int dpi) {
    HWND window = timerState.mainWindow;
    ASSERT_EQ(timerState.layout.dpi, dpi);
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const int width = frame.right - frame.left;
    EXPECT_EQ(width, S(396));
    EXPECT_EQ(frame.bottom - frame.top, S(156));
    for (const Slot& slot : kSlots) {
        HWND control = timerState.*slot.handle;
        const RECT rect = ClientRectOf(control);
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(control) << " at " << dpi);
        EXPECT_EQ(rect.left, slot.fromRight ? width - S(slot.x) : S(slot.x));
        EXPECT_EQ(rect.top, S(slot.y));
        EXPECT_EQ(rect.right - rect.left, S(slot.width));
        EXPECT_EQ(rect.bottom - rect.top, S(slot.height));
        EXPECT_TRUE(Inside(rect, client)) << "outside the client area";
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
                  timerState.controlFont);
    }
    EXPECT_EQ(FontHeight(timerState.controlFont), S(22));
    EXPECT_EQ(FontHeight(timerState.displayFont), S(52));
    const RECT band = DisplayRect();
    EXPECT_EQ(band.top, S(30));
    EXPECT_EQ(band.bottom, S(85));
    EXPECT_EQ(band.right, S(380));
    EXPECT_TRUE(Inside(band, client));
    // The caption's and the taskbar's pictures of their own size at this scale (the icons hold
    // pictures of 16 to 64 pixels), not the 32-pixel one shrunk or stretched.
    EXPECT_EQ(IconSide(WindowIcon(ICON_SMALL)), S(16));
    EXPECT_EQ(IconSide(WindowIcon(ICON_BIG)), S(32));
}

// The rows of the readout band, as on screen, that hold the readout's dark grey cell.
int ReadoutCellRows() {
    const BandPixels band = ReadoutBandOnScreen();
    int rows = 0;
    for (int y = 0; y < band.height; ++y) {
        int dark = 0;
        for (int x = 0; x < band.width; ++x) dark += band.At(x, y) == RGB(0x46, 0x46, 0x46);
        if (dark > band.width / 4) ++rows;
    }
    return rows;
}

// The strip in window coordinates (right and bottom exclusive): the scaled band less its scaled
// margins, narrower by the scaled 123 pixels without milliseconds.
RECT ExpectedStrip(bool showMilliseconds) {
    const WindowMeasure m = MeasureMainWindow();
    const int fx = m.origin.x - m.window.left;
    const int fy = m.origin.y - m.window.top;
    const int n = showMilliseconds ? 0 : S(123);
    return {S(0) + fx + S(3), S(30) + fy + S(1), S(380) + fx - S(2) - n, S(85) + fy - S(1)};
}

void ExpectStripRegion(bool showMilliseconds) {
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(timerState.mainWindow, actual), ERROR) << "no region";
    const RECT a = ExpectedStrip(showMilliseconds);
    HRGN expected = CreateRoundRectRgn(a.left, a.top, a.right, a.bottom, 0, 0);
    EXPECT_TRUE(EqualRgn(actual, expected));
    DeleteObject(expected);
    DeleteObject(actual);
}

void MoveWindowTo(int x, int y) {
    SetWindowPos(timerState.mainWindow, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

void Press(WPARAM key) {
    SendMessageW(timerState.mainWindow, WM_KEYDOWN, key, 1);
    PumpMessages();
}

void SendDpiChanged(int dpi, const RECT& suggested) {
    SendMessageW(timerState.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
}

class Scaled : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTimerState();
        ResetTimer();
        SwitchMode(TimerMode::Stopwatch);
        MoveWindowTo(S(150), S(120));
    }
    void TearDown() override {
        if (timerState.compactMode) ToggleCompactFromMenu();
        if (timerState.showMilliseconds) ToggleMilliseconds();
    }
};

}  // namespace

TEST_F(Scaled, TheWindowItsControlsAndTheReadoutAreTheLayoutScaled) {
    HWND window = timerState.mainWindow;
    ASSERT_EQ(WindowDpi(window), ExpectedDpi()) << "the prefix is not at the DPI it should be";
    ExpectLaidOutAt(ExpectedDpi());
    // The readout's cell (the font's cell height, filled dark grey) at the scaled height.
    EXPECT_NEAR(ReadoutCellRows(), S(52), 1);
    // The class's icons, for the systems that cannot give sizes at a DPI, at the system's scale.
    EXPECT_EQ(IconSide(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))),
              GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconSide(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON))),
              GetSystemMetrics(SM_CXICON));
}

TEST_F(Scaled, TheStripAndTheFourSnapsAtTheDisplaysScale) {
    const int sx = GetSystemMetrics(SM_CXSCREEN);
    const int sy = GetSystemMetrics(SM_CYSCREEN);
    for (bool compact : {false, true}) {
        for (bool ms : {true, false}) {
            SCOPED_TRACE(testing::Message() << "compact " << compact << " ms " << ms);
            if (timerState.compactMode != compact) ToggleCompactFromMenu();
            if (timerState.showMilliseconds != ms) ToggleMilliseconds();
            if (compact) ExpectStripRegion(ms);
            const RECT strip = ExpectedStrip(ms);
            MoveWindowTo(S(150), S(120));
            Press(VK_LEFT);
            WindowMeasure m = MeasureMainWindow();
            EXPECT_EQ(compact ? m.window.left + strip.left : m.origin.x, 0);
            Press(VK_UP);
            m = MeasureMainWindow();
            EXPECT_EQ(compact ? m.window.top + strip.top : m.window.top, 0);
            Press(VK_RIGHT);
            m = MeasureMainWindow();
            // The strip's exclusive edges lie one pixel beyond the screen at every scale.
            EXPECT_EQ(compact ? m.window.left + strip.right : m.origin.x + m.client.right,
                      compact ? sx + 1 : sx);
            Press(VK_DOWN);
            m = MeasureMainWindow();
            EXPECT_EQ(compact ? m.window.top + strip.bottom : m.origin.y + m.client.bottom,
                      compact ? sy + 1 : sy);
        }
    }
}

TEST_F(Scaled, TheSettingsDialogsDigitsAndTheContactPictureFollowTheDialogsScale) {
    SwitchMode(TimerMode::Countdown);
    RunDialog(IDD_COUNTDOWN, CountdownDialogProc, [](HWND dialog) {
        const int dpi = WindowDpi(dialog);
        EXPECT_EQ(dpi, ExpectedDpi());
        RECT client;
        GetClientRect(dialog, &client);
        for (HWND control = GetWindow(dialog, GW_CHILD); control;
             control = GetWindow(control, GW_HWNDNEXT))
            EXPECT_TRUE(Inside(ClientRectOf(control), client))
                << "control " << GetDlgCtrlID(control) << " outside the dialog";
        HWND edit = GetDlgItem(dialog, IDC_FIX_MINUTES);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
        EXPECT_EQ(FontHeight(font), ScaleToDpi(30, dpi));
        HDC dc = GetDC(edit);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(edit, dc);
        EXPECT_NEAR(metrics.tmHeight, ScaleToDpi(30, dpi), 1);
        PostKey(GetFocus() ? GetFocus() : dialog, VK_ESCAPE);
    });
    RunDialog(IDD_CONTACT, ContactDialogProc, [](HWND dialog) {
        const int side = ScaleToDpi(200, WindowDpi(dialog));
        HWND picture = GetWindow(dialog, GW_CHILD);
        BITMAP bitmap = {};
        GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, side);
        EXPECT_EQ(bitmap.bmHeight, side);
        RECT shown, client;
        GetClientRect(picture, &shown);
        GetClientRect(dialog, &client);
        EXPECT_EQ(shown.right, side);
        EXPECT_EQ(shown.bottom, side);
        // Not cut off by the dialog (Wine's dialog font makes the template taller than the
        // picture already at 96 DPI; the width follows it within the template's rounding).
        EXPECT_NEAR(client.right, side, 2);
        EXPECT_GE(client.bottom, side - 1);
        PostKey(GetFocus() ? GetFocus() : dialog, VK_ESCAPE);
    });
}

TEST_F(Scaled, ADpiChangeLaysTheWindowOutAnewAndTouchesNothingElse) {
    const int start = timerState.layout.dpi;
    const int other = start == 144 ? 192 : 144;
    ToggleMilliseconds();
    ToggleCompactFromMenu();
    StartPauseResume();  // a running stopwatch
    SetFocus(timerState.resetButton);
    const WindowMeasure before = MeasureMainWindow();
    const std::string text = DisplayText();
    HFONT oldReadout = timerState.displayFont;
    HFONT oldControls = timerState.controlFont;
    HICON oldSmallIcon = WindowIcon(ICON_SMALL);

    const RECT larger = {before.window.left, before.window.top,
                         before.window.left + ScaleToDpi(396, other),
                         before.window.top + ScaleToDpi(156, other)};
    SendDpiChanged(other, larger);
    WindowMeasure m = MeasureMainWindow();
    EXPECT_TRUE(EqualRect(&m.window, &larger)) << "the suggested rectangle is taken";
    ExpectLaidOutAt(other);
    ExpectStripRegion(true);
    EXPECT_EQ(GetObjectType(oldReadout), 0u) << "the old readout font is deleted";
    EXPECT_EQ(GetObjectType(oldControls), 0u) << "the old control font is deleted";
    EXPECT_EQ(IconSide(oldSmallIcon), 0) << "the old small icon is destroyed";
    EXPECT_EQ(DisplayText(), text);
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(GetFocus(), timerState.resetButton);

    SendDpiChanged(start, before.window);
    m = MeasureMainWindow();
    EXPECT_TRUE(EqualRect(&m.window, &before.window));
    EXPECT_EQ(m.origin.x, before.origin.x);
    EXPECT_EQ(m.origin.y, before.origin.y);
    ExpectLaidOutAt(start);
    ExpectStripRegion(true);
    EXPECT_EQ(GetFocus(), timerState.resetButton);
    ResetTimer();
}
