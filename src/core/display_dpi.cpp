#include "display_dpi.h"

#include "display_scale.h"
#include "system_library.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// shcore's GetDpiForMonitor; 0 is MDT_EFFECTIVE_DPI, the DPI the user's scale setting gives.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Looked up once, on the UI thread (the only one that asks).
GetDpiForWindowFunction DpiForWindow() {
    static const GetDpiForWindowFunction function =
        FindUser32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    return function;
}

GetDpiForMonitorFunction DpiForMonitor() {
    static const GetDpiForMonitorFunction function = FindFunction<GetDpiForMonitorFunction>(
        LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
    return function;
}

GetSystemMetricsForDpiFunction SystemMetricsForDpi() {
    static const GetSystemMetricsForDpiFunction function =
        FindUser32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return function;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kLayoutDpi;
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

int SystemMetricForDpi(int index, int dpi) {
    GetSystemMetricsForDpiFunction forDpi = SystemMetricsForDpi();
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : 0;
}
