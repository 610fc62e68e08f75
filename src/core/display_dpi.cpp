#include "display_dpi.h"

#include "display_scale.h"
#include "system_library.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// shcore's GetDpiForMonitor; 0 is MDT_EFFECTIVE_DPI, the DPI the user's scale setting gives.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function Find(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Looked up once, on the UI thread (the only one that asks). user32 is mapped already: the
// program imports it.
GetDpiForWindowFunction DpiForWindow() {
    static const GetDpiForWindowFunction function =
        Find<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    return function;
}

GetDpiForMonitorFunction DpiForMonitor() {
    static const GetDpiForMonitorFunction function =
        Find<GetDpiForMonitorFunction>(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
    return function;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    if (window) {
        if (GetDpiForWindowFunction forWindow = DpiForWindow()) {
            const UINT dpi = forWindow(window);
            if (dpi > 0) return static_cast<int>(dpi);
        }
        if (GetDpiForMonitorFunction forMonitor = DpiForMonitor()) {
            UINT dpiX = 0, dpiY = 0;
            HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
            if (SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiX > 0)
                return static_cast<int>(dpiX);
        }
    }
    return ScreenDpi();
}
