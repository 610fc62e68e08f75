#include "paint.h"

#include "timer_state.h"

void OnPaint(HWND window) {
    // Copy the text out first: the lock is not held while drawing.
    char text[kDisplayTextCapacity];
    CopyDisplayText(text);
    const ReadoutColours colours = HighlightColours(timerState.highlight);

    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);

    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memoryDc, bitmap);
    HGDIOBJ oldFont = SelectObject(memoryDc, timerState.displayFont);
    HGDIOBJ oldBrush = SelectObject(memoryDc, timerState.backgroundBrush);

    // The background mode stays opaque: the text's own cell is filled dark grey.
    SetTextColor(memoryDc, colours.text);
    SetBkColor(memoryDc, colours.background);
    FillRect(memoryDc, &client, timerState.backgroundBrush);
    RECT readout = DisplayRect();
    DrawTextA(memoryDc, text, -1, &readout, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    BitBlt(windowDc, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);

    SelectObject(memoryDc, oldBrush);
    SelectObject(memoryDc, oldFont);
    SelectObject(memoryDc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    EndPaint(window, &paint);
}

void OnDestroy() {
    timerState.quitRequested = true;
    PostQuitMessage(0);
}
