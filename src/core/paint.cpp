#include "paint.h"

#include <cstring>

#include "system_colours.h"
#include "timer_state.h"

namespace {

// What the readout band of the back buffer shows, and with which font and where. The band is
// drawn again only when the readout to show differs from it: mode, millisecond form and compact
// mode reach the band only through the text and the colours, so comparing these is all that is
// needed. A new font or band rectangle (the display's scale changed) or a new fill (a
// high-contrast scheme switched on or off) redraws the whole client.
struct Readout {
    char text[kDisplayTextCapacity];
    ReadoutColours colours;
    uint32_t fill;
    HFONT font;
    RECT rect;
};

// The back buffer: a memory DC holding a client-sized bitmap, kept from one paint to the next.
// The worker invalidates the readout every 2 ms, and under Wine making and deleting the DC and
// the bitmap was most of each paint's cost. It is made at the first paint, made anew when the
// client's size changes and released with the window. Only the UI thread touches it.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ firstBitmap = nullptr;  // the DC's own, selected back before the DC is deleted
    SIZE size{};
    bool holdsReadout = false;  // false until the band has been drawn into this bitmap
    Readout held{};
};

BackBuffer backBuffer;

}  // namespace

void ReleaseBackBuffer() {
    if (!backBuffer.dc) return;
    SelectObject(backBuffer.dc, backBuffer.firstBitmap);
    DeleteObject(backBuffer.bitmap);
    DeleteDC(backBuffer.dc);
    backBuffer = BackBuffer{};
}

namespace {

// Keeps a buffer of the client's size, compatible with the window's DC.
void KeepBackBuffer(HDC windowDc, SIZE size) {
    if (backBuffer.dc && backBuffer.size.cx == size.cx && backBuffer.size.cy == size.cy) return;
    ReleaseBackBuffer();
    backBuffer.dc = CreateCompatibleDC(windowDc);
    backBuffer.bitmap = CreateCompatibleBitmap(windowDc, size.cx, size.cy);
    backBuffer.firstBitmap = SelectObject(backBuffer.dc, backBuffer.bitmap);
    backBuffer.size = size;
}

bool SameReadout(const Readout& a, const Readout& b) {
    return strncmp(a.text, b.text, kDisplayTextCapacity) == 0 && a.colours.text == b.colours.text &&
           a.colours.background == b.colours.background;
}

// Brings the buffer to show `readout`, drawing only what differs from what it holds. The band
// is filled before the text is drawn: the opaque text cell covers only the text's own width, so
// a shorter text must not leave the longer one's edges standing.
void DrawReadout(const Readout& readout) {
    const bool samePlace = backBuffer.holdsReadout && readout.font == backBuffer.held.font &&
                           EqualRect(&readout.rect, &backBuffer.held.rect) &&
                           readout.fill == backBuffer.held.fill;
    if (samePlace && SameReadout(readout, backBuffer.held)) return;
    HDC dc = backBuffer.dc;
    // A new bitmap, font, band or fill: the whole client is filled, as the band may have moved.
    const RECT client = {0, 0, backBuffer.size.cx, backBuffer.size.cy};
    FillRect(dc, samePlace ? &readout.rect : &client, timerState.backgroundBrush);

    // The font is selected only while drawing, so that the buffer never holds on to it.
    HGDIOBJ oldFont = SelectObject(dc, readout.font);
    // The background mode stays opaque: the text's own cell is filled dark grey (or the
    // scheme's window colour).
    SetTextColor(dc, readout.colours.text);
    SetBkColor(dc, readout.colours.background);
    RECT rect = readout.rect;
    DrawTextA(dc, readout.text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, oldFont);

    backBuffer.held = readout;
    backBuffer.holdsReadout = true;
}

}  // namespace

void OnPaint(HWND window) {
    // Copy the text out first: the lock is not held while drawing.
    Readout readout;
    CopyDisplayText(readout.text);
    const PaintColours colours = CurrentPaintColours(timerState.highlight);
    readout.colours = colours.readout;
    readout.fill = colours.fill;
    readout.font = timerState.displayFont;
    readout.rect = DisplayRect();

    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // A minimized window has no client to draw; the buffer is kept for its return.
    if (client.right > 0 && client.bottom > 0) {
        KeepBackBuffer(windowDc, {client.right, client.bottom});
        DrawReadout(readout);
        const RECT& dirty = paint.rcPaint;
        BitBlt(windowDc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
               backBuffer.dc, dirty.left, dirty.top, SRCCOPY);
    }
    EndPaint(window, &paint);
}
