#include "readout_accessible.h"

// After <windows.h>, which it needs.
#include <oleacc.h>

#include <new>

#include "com_start.h"
#include "readout_access.h"
#include "readout_events.h"
#include "system_library.h"
#include "timer_state.h"

namespace {

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using SysAllocStringFunction = BSTR(WINAPI*)(const OLECHAR*);

// oleacc and oleaut32, like ole32, are not among the DLLs Windows always takes from the system
// folder: loaded from there at the first request, so a program that no screen reader asks about
// loads none of them. UI thread only.
struct AccessLibrary {
    bool tried = false;
    CreateStdAccessibleObjectFunction createStandard = nullptr;
    LresultFromObjectFunction lresultFromObject = nullptr;
    SysAllocStringFunction allocString = nullptr;
};
AccessLibrary library;

bool LoadAccessLibrary() {
    if (!library.tried) {
        library.tried = true;
        // LresultFromObject marshals the object: without COM on this thread it fails.
        if (StartComOnUiThread()) {
            HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
            HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
            library.createStandard = FindFunction<CreateStdAccessibleObjectFunction>(
                oleacc, "CreateStdAccessibleObject");
            library.lresultFromObject =
                FindFunction<LresultFromObjectFunction>(oleacc, "LresultFromObject");
            library.allocString = FindFunction<SysAllocStringFunction>(oleaut, "SysAllocString");
        }
    }
    return library.createStandard && library.lresultFromObject && library.allocString;
}

bool IsReadout(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == kReadoutChildId;
}

// The system's object numbers the controls from 1; here they come after the readout. Ids that
// are not positive (the object itself, ids the system reserves) are the same in both.
VARIANT ToProxy(VARIANT child) {
    if (child.vt == VT_I4 && child.lVal > kReadoutChildId) --child.lVal;
    return child;
}

HRESULT FromProxy(HRESULT result, VARIANT* child) {
    if (SUCCEEDED(result) && child && child->vt == VT_I4 && child->lVal > CHILDID_SELF)
        ++child->lVal;
    return result;
}

HRESULT GiveNumber(LONG number, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

HRESULT GiveText(const wchar_t* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = library.allocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A property the readout does not have (description, help, shortcut, default action).
HRESULT GiveNothing(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

HRESULT ReadoutName(BSTR* name) {
    TimerMode mode;
    RunState runState;
    bool expired;
    {
        // The worker changes the run state and the expiry together, under the lock.
        StateLock lock;
        mode = timerState.mode;
        runState = timerState.runState;
        expired = timerState.expired;
    }
    return GiveText(ReadoutAccessName(mode, runState, expired), name);
}

// The characters on the screen at this moment. The UI thread never holds the lock while it
// answers a client, so taking it here cannot wait on itself.
HRESULT ReadoutValue(BSTR* value) {
    char text[kDisplayTextCapacity];
    CopyDisplayText(text);
    wchar_t wide[kDisplayTextCapacity];
    ReadoutAccessValue(text, wide, kDisplayTextCapacity);
    return GiveText(wide, value);
}

// The system's client object of the main window with the readout as child 1. Everything else,
// the object itself and the controls, the system's object answers. One is made per window, at
// the first request, and holds a reference of its own until the window is destroyed; every
// client holds others (LresultFromObject takes one for each request it answers). Its methods run
// on the UI thread: COM calls them there, in the thread's apartment.
class ReadoutAccessible final : public IAccessible, public IEnumVARIANT, public IOleWindow {
public:
    ReadoutAccessible(HWND main, IAccessible* system, IEnumVARIANT* systemChildren)
        : window(main), proxy(system), proxyChildren(systemChildren) {}

    // From here on every call answers CO_E_OBJNOTCONNECTED; the system's object is let go.
    void Disconnect() {
        window = nullptr;
        if (proxyChildren) proxyChildren->Release();
        proxyChildren = nullptr;
        if (proxy) proxy->Release();
        proxy = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(IDispatch)) ||
            IsEqualIID(id, __uuidof(IAccessible)))
            *object = static_cast<IAccessible*>(this);
        else if (IsEqualIID(id, __uuidof(IEnumVARIANT)) && proxyChildren)
            *object = static_cast<IEnumVARIANT*>(this);
        else if (IsEqualIID(id, __uuidof(IOleWindow)))  // WindowFromAccessibleObject asks
            *object = static_cast<IOleWindow*>(this);
        else
            *object = nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients use the interface's own methods; none of this program's is scriptable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return proxy->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        const HRESULT result = proxy->get_accChildCount(count);
        if (SUCCEEDED(result)) ++*count;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!IsReadout(child)) return proxy->get_accChild(ToProxy(child), object);
        if (!object) return E_POINTER;
        *object = nullptr;  // a simple element: this object answers for it
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? ReadoutName(name) : proxy->get_accName(ToProxy(child), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? ReadoutValue(value) : proxy->get_accValue(ToProxy(child), value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNothing(text)
                                : proxy->get_accDescription(ToProxy(child), text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNumber(ROLE_SYSTEM_CLOCK, role)
                                : proxy->get_accRole(ToProxy(child), role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNumber(STATE_SYSTEM_READONLY, state)
                                : proxy->get_accState(ToProxy(child), state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNothing(text) : proxy->get_accHelp(ToProxy(child), text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!IsReadout(child)) return proxy->get_accHelpTopic(file, ToProxy(child), topic);
        if (topic) *topic = 0;
        return GiveNothing(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNothing(text)
                                : proxy->get_accKeyboardShortcut(ToProxy(child), text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return FromProxy(proxy->get_accFocus(child), child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return FromProxy(proxy->get_accSelection(children), children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? GiveNothing(text)
                                : proxy->get_accDefaultAction(ToProxy(child), text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? DISP_E_MEMBERNOTFOUND : proxy->accSelect(flags, ToProxy(child));
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!IsReadout(child)) return proxy->accLocation(x, y, width, height, ToProxy(child));
        if (!x || !y || !width || !height) return E_POINTER;
        // The band at the window's scale, in client pixels, put on the screen.
        RECT band = DisplayRect();
        MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&band), 2);
        *x = band.left;
        *y = band.top;
        *width = band.right - band.left;
        *height = band.bottom - band.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!end) return E_POINTER;
        const bool fromSelf = start.vt == VT_I4 && start.lVal == CHILDID_SELF;
        if (fromSelf && direction == NAVDIR_FIRSTCHILD) return GiveNumber(kReadoutChildId, end);
        if (IsReadout(start)) {
            // After it comes the first control; there is nothing before it or beside it.
            if (direction != NAVDIR_NEXT) {
                end->vt = VT_EMPTY;
                return S_FALSE;
            }
            VARIANT self = start;
            self.lVal = CHILDID_SELF;
            return FromProxy(proxy->accNavigate(NAVDIR_FIRSTCHILD, self, end), end);
        }
        const HRESULT result = FromProxy(proxy->accNavigate(direction, ToProxy(start), end), end);
        // Before the first control, and the last child where there are no controls: the readout.
        const bool fromFirstControl = start.vt == VT_I4 && start.lVal == kReadoutChildId + 1;
        if (result == S_FALSE && ((fromFirstControl && direction == NAVDIR_PREVIOUS) ||
                                  (fromSelf && direction == NAVDIR_LASTCHILD)))
            return GiveNumber(kReadoutChildId, end);
        return result;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        POINT point = {x, y};
        ScreenToClient(window, &point);
        const RECT band = DisplayRect();
        if (PtInRect(&band, point)) return GiveNumber(kReadoutChildId, child);
        return FromProxy(proxy->accHitTest(x, y, child), child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? DISP_E_MEMBERNOTFOUND : proxy->accDoDefaultAction(ToProxy(child));
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? E_NOTIMPL : proxy->put_accName(ToProxy(child), name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return IsReadout(child) ? E_NOTIMPL : proxy->put_accValue(ToProxy(child), value);
    }

    // IEnumVARIANT: the readout, then the controls as the system's object lists them. Offered
    // only where the system's object enumerates; otherwise clients count the children and ask
    // for each by id.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!items || (!fetched && count > 1)) return E_POINTER;
        ULONG given = 0;
        if (count > 0 && !readoutListed) {
            GiveNumber(kReadoutChildId, &items[0]);
            readoutListed = true;
            given = 1;
        }
        if (given < count) {
            ULONG more = 0;
            proxyChildren->Next(count - given, items + given, &more);
            for (ULONG i = given; i < given + more; ++i) FromProxy(S_OK, &items[i]);
            given += more;
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (count > 0 && !readoutListed) {
            readoutListed = true;
            --count;
        }
        return count > 0 ? proxyChildren->Skip(count) : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        readoutListed = false;
        return proxyChildren->Reset();
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy) *copy = nullptr;
        return E_NOTIMPL;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        if (!window) return CO_E_OBJNOTCONNECTED;
        if (!out) return E_POINTER;
        *out = window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~ReadoutAccessible() { Disconnect(); }

    LONG references = 1;  // the window's own
    HWND window;          // null once the window is destroyed
    IAccessible* proxy;
    IEnumVARIANT* proxyChildren;  // null where the system's object does not enumerate
    bool readoutListed = false;   // the enumeration has passed the readout
};

// The main window's object while the window lives, holding its own reference.
ReadoutAccessible* served = nullptr;

ReadoutAccessible* MakeServed(HWND window) {
    if (!LoadAccessLibrary()) return nullptr;
    IAccessible* proxy = nullptr;
    if (FAILED(library.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                      reinterpret_cast<void**>(&proxy))) ||
        !proxy)
        return nullptr;
    IEnumVARIANT* children = nullptr;
    if (FAILED(proxy->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children))))
        children = nullptr;
    auto* object = new (std::nothrow) ReadoutAccessible(window, proxy, children);
    if (!object) {
        if (children) children->Release();
        proxy->Release();
    }
    return object;
}

}  // namespace

LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
    // The object id is a DWORD: on 64-bit Windows the upper half of lParam is not defined.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
        if (!served) served = MakeServed(window);
        IAccessible* object = served;
        // A positive reference to the marshalled object, or an error code (negative).
        const LRESULT result =
            object ? library.lresultFromObject(__uuidof(IAccessible), wParam, object) : 0;
        if (result > 0) return result;
    }
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

void DisconnectReadoutAccessible() {
    if (!served) return;
    served->Disconnect();
    served->Release();
    served = nullptr;
}
