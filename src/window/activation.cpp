#include "activation.h"

LRESULT OnWindowPosChanging(HWND window, LPARAM lParam) {
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!IsWindowEnabled(window)) position->flags |= SWP_NOACTIVATE;
    return 0;
}
