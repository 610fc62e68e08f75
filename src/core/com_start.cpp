#include "com_start.h"

#include "system_library.h"

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// UI thread only, like every caller.
struct ComStart {
    bool tried = false;
    bool started = false;
    CoCreateInstanceFunction createInstance = nullptr;
};
ComStart comStart;

bool Start() {
    HMODULE ole = LoadSystemLibrary(L"ole32.dll");
    const auto initialize = FindFunction<CoInitializeExFunction>(ole, "CoInitializeEx");
    comStart.createInstance = FindFunction<CoCreateInstanceFunction>(ole, "CoCreateInstance");
    if (!initialize || !comStart.createInstance) return false;
    // S_FALSE: this thread had COM already (a test program's own), in the same apartment.
    const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    return result == S_OK || result == S_FALSE;
}

}  // namespace

bool StartComOnUiThread() {
    if (!comStart.tried) {
        comStart.tried = true;
        comStart.started = Start();
    }
    return comStart.started;
}

HRESULT CreateComObject(REFCLSID classId, REFIID interfaceId, void** object) {
    *object = nullptr;
    if (!comStart.started) return E_FAIL;
    return comStart.createInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

bool ComStarted() {
    return comStart.started;
}
