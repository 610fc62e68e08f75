// The readout on the real window after each kind of change equals a fresh paint of the same
// state: a new client-sized bitmap filled with the window colour and the readout drawn into its
// band, as if the paint handler kept nothing from one paint to the next. A high-contrast scheme
// is put in place by hand: Wine refuses to switch one on.
#include "paint.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "compact_mode.h"
#include "mode_control.h"
#include "run_control.h"
#include "system_colours.h"
#include "test_support.h"

namespace {

using Pixels = std::vector<uint32_t>;

// The pixels of `area` of a DC, 0x00RRGGBB each, row by row.
Pixels Read(HDC source, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(source);
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    GdiFlush();
    const uint32_t* first = static_cast<const uint32_t*>(bits);
    Pixels pixels(first, first + width * height);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, oldBitmap);
    DeleteObject(dib);
    DeleteDC(dc);
    return pixels;
}

Pixels OnScreen(const RECT& area) {
    HDC windowDc = GetDC(timerState.mainWindow);
    Pixels pixels = Read(windowDc, area);
    ReleaseDC(timerState.mainWindow, windowDc);
    return pixels;
}

Pixels FreshPaint(const RECT& area) {
    HWND window = timerState.mainWindow;
    HDC windowDc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    HDC dc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, timerState.displayFont);
    const PaintColours colours = CurrentPaintColours(timerState.highlight);
    SetTextColor(dc, colours.readout.text);
    SetBkColor(dc, colours.readout.background);
    HBRUSH fill = CreateSolidBrush(colours.fill);
    FillRect(dc, &client, fill);
    DeleteObject(fill);
    RECT band = DisplayRect();
    DrawTextA(dc, DisplayText().c_str(), -1, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    Pixels pixels = Read(dc, area);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(window, windowDc);
    return pixels;
}

long Differing(const Pixels& a, const Pixels& b) {
    long count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

// The part of the band the window shows: in compact mode, what its region leaves of it.
RECT ShownBand() {
    HWND window = timerState.mainWindow;
    RECT band = DisplayRect();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR) {
        RECT box;
        GetRgnBox(region, &box);  // window coordinates
        RECT frame;
        GetWindowRect(window, &frame);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        OffsetRect(&box, frame.left - origin.x, frame.top - origin.y);
        IntersectRect(&band, &band, &box);
    }
    DeleteObject(region);
    return band;
}

// As the worker and the controls do: store, then invalidate the band.
void Show(const char* text) {
    SetDisplayText(text, static_cast<int>(strlen(text)));
    InvalidateReadout();
}

void Highlight(HighlightState highlight) {
    timerState.highlight = highlight;
    InvalidateReadout();
}

// A black child window over part of the band, then moved out of the client: the part it
// uncovers is all that is repainted, with nothing else changed.
void CoverAndUncover() {
    const RECT covered = {60, 40, 260, 75};
    HWND cover =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, covered.left,
                        covered.top, covered.right - covered.left, covered.bottom - covered.top,
                        timerState.mainWindow, nullptr, nullptr, nullptr);
    UpdateWindow(cover);
    PumpMessages();
    EXPECT_GT(Differing(OnScreen(covered), FreshPaint(covered)), 0) << "the cover did not show";
    SetWindowPos(cover, nullptr, 0, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(timerState.mainWindow);
    PumpMessages();
    DestroyWindow(cover);
}

struct Change {
    const char* what;
    void (*make)();
};

// In order: each change starts from what the one before left in the window.
const Change kChanges[] = {
    {"a new text", [] { Show("12:34:56.789"); }},
    {"a longer text", [] { Show("123:45:56.789"); }},
    {"a shorter text after a longer one", [] { Show("00:01:02    "); }},
    {"the half-hour colours", [] { Highlight(HighlightState::HalfHour); }},
    {"the expired colours", [] { Highlight(HighlightState::Expired); }},
    {"the normal colours again", [] { Highlight(HighlightState::Normal); }},
    {"the millisecond form", ToggleMilliseconds},
    {"the plain form again", ToggleMilliseconds},
    {"another mode", [] { SwitchMode(TimerMode::Countdown); }},
    {"compact mode", ToggleCompactFromMenu},
    {"compact mode, the millisecond form", ToggleMilliseconds},
    {"compact mode, a new text", [] { Show("00:00:07.123"); }},
    {"compact mode left", ToggleCompactFromMenu},
    {"an uncovering", CoverAndUncover},
    {"a high-contrast scheme",
     [] {
         UseSystemColours({true, 0x101010, 0xF0F0F0, 0x303030, 0x00A0FF, 0x000000});
     }},
    {"the scheme's highlight", [] { Highlight(HighlightState::FullHour); }},
    {"the scheme left", [] { UseSystemColours(ReadSystemColours()); }},
    {"the normal colours after the scheme", [] { Highlight(HighlightState::Normal); }},
};

}  // namespace

TEST(Paint, TheReadoutAfterEachChangeIsWhatAFreshPaintDraws) {
    ResetTimerState();
    ResetTimer();
    SwitchMode(TimerMode::Stopwatch);
    UpdateWindow(timerState.mainWindow);
    PumpMessages();
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.what);
        change.make();
        UpdateWindow(timerState.mainWindow);
        PumpMessages();
        const RECT band = ShownBand();
        EXPECT_EQ(Differing(OnScreen(band), FreshPaint(band)), 0) << "pixels differ";
        // Beside the band, outside the strip: the fill the whole client was given.
        RECT client;
        GetClientRect(timerState.mainWindow, &client);
        const RECT beside = {band.right, band.top, client.right, band.bottom};
        if (!timerState.compactMode && beside.left < beside.right) {
            EXPECT_EQ(Differing(OnScreen(beside), FreshPaint(beside)), 0) << "beside the band";
        }
    }
    if (timerState.compactMode) ToggleCompactFromMenu();
    if (timerState.showMilliseconds) ToggleMilliseconds();
    SwitchMode(TimerMode::Stopwatch);
}
