#include "close_window.h"

LRESULT OnClose(HWND window) {
    DestroyWindow(window);
    return 0;
}
