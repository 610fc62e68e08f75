#include "main_window.h"

#include "activation.h"
#include "close_window.h"
#include "commands.h"
#include "compact_mode.h"
#include "context_menu.h"
#include "create_window.h"
#include "dpi_change.h"
#include "keyboard.h"
#include "paint.h"
#include "readout_accessible.h"
#include "resource_ids.h"
#include "system_colours.h"
#include "taskbar_progress.h"
#include "time_source.h"
#include "window_mouse.h"

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_PAINT:
            OnPaint(window);
            return 0;
        case WM_COMMAND:
            return OnCommand(window, wParam, lParam);
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_NCHITTEST:
            return OnNcHitTest(window, wParam, lParam);
        case WM_NCLBUTTONDBLCLK:
            return OnNcLButtonDblClk();
        case WM_NCRBUTTONDOWN:
            return OnNcRButtonDown();
        case WM_NCRBUTTONUP:
            return OnNcRButtonUp(window, lParam);
        case WM_CONTEXTMENU:
            return OnContextMenu(window, lParam);
        case WM_EXITMENULOOP:
            return OnExitMenuLoop(wParam);
        case WM_DPICHANGED:
            return OnDpiChanged(window, wParam, lParam);
        case WM_TIMECHANGE:
            OnTimeChange();
            return 0;
        case WM_SETTINGCHANGE:
            // The zone and the colour scheme may both have changed.
            OnTimeChange();
            OnSystemColoursChanged();
            break;  // the default handling too
        case WM_ACTIVATE:
            return OnActivate(window, wParam, lParam);
        case WM_GETOBJECT:
            return OnGetObject(window, wParam, lParam);
        case WM_SYSCOLORCHANGE:
            return OnSystemColoursChanged();
        case WM_CLOSE:
            return OnClose(window);
        case WM_DESTROY:
            DisconnectReadoutAccessible();
            OnDestroy();
            return 0;
        case WM_APP_PROGRESS_DUE:
            return OnProgressDue(window);
    }
    // A registered message has no number to switch on until the program runs.
    if (IsTaskbarButtonCreated(message)) return OnTaskbarButtonCreated(window);
    return DefWindowProcW(window, message, wParam, lParam);
}
