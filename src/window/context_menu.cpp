#include "context_menu.h"

#include <windowsx.h>

#include "timer_state.h"
#include "window_mouse.h"

LRESULT OnContextMenu(HWND window, LPARAM lParam) {
    // The default processing sends this for Shift+F10 and the context-menu key, with the position
    // -1, -1, to the focused control, which passes it on to the window. From the mouse it comes
    // only through a control's own right-click, which opens nothing, as before: a right-click on
    // the window itself takes its own path (WM_NCRBUTTONUP) and never gets here, so the menu
    // never opens twice.
    if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return 0;
    const RECT readout = DisplayRect();
    POINT centre = {(readout.left + readout.right) / 2, (readout.top + readout.bottom) / 2};
    ClientToScreen(window, &centre);
    OpenPopupMenu(window, centre.x, centre.y);
    return 0;
}
