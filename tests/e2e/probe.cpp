// Reads the running timer from another process, as far as Windows lets one: the window's
// rectangle, style and caption, its region, and each control's id, class, style, state and
// caption; whether the window is enabled and which window has the keyboard; the dialogs and
// message boxes it has open with their controls (in screen coordinates, to click them), and the
// rectangle of an open popup menu. The end-to-end checks print and grep this; menu entries
// cannot be read across processes. "probe reader" reads the window as a screen reader does, through
// MSAA (which makes the timer load its accessibility libraries: the other verbs leave it alone).
#include <windows.h>

// After <windows.h>, which it needs.
#include <oleacc.h>

#include "msaa_child.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    char bytes[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t text[256] = {}, className[64] = {};
    GetWindowTextW(control, text, 256);
    GetClassNameW(control, className, 64);
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    printf(
        "control id=%d class=%s style=0x%08lX visible=%d enabled=%d check=%d rect=%ld,%ld,%ld,%ld "
        "text=%s\n",
        GetDlgCtrlID(control), Utf8(className).c_str(),
        static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)),
        IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
        static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)), rect.left, rect.top, rect.right,
        rect.bottom, Utf8(text).c_str());
    return TRUE;
}

struct ThreadWindows {
    DWORD thread;
};

BOOL CALLBACK PrintDialogControl(HWND control, LPARAM) {
    wchar_t text[512] = {}, className[64] = {};
    GetWindowTextW(control, text, 512);
    GetClassNameW(control, className, 64);
    RECT rect;
    GetWindowRect(control, &rect);
    std::string flat = Utf8(text);
    for (char& c : flat)
        if (c == '\n') c = '|';
    printf(
        "dialog_control id=%d class=%s visible=%d enabled=%d screen_rect=%ld,%ld,%ld,%ld text=%s\n",
        GetDlgCtrlID(control), Utf8(className).c_str(), IsWindowVisible(control) ? 1 : 0,
        IsWindowEnabled(control) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom,
        flat.c_str());
    return TRUE;
}

// The timer's own modal windows and popup menu: top-level windows of its UI thread.
BOOL CALLBACK PrintThreadWindow(HWND window, LPARAM parameter) {
    const auto* windows = reinterpret_cast<const ThreadWindows*>(parameter);
    if (GetWindowThreadProcessId(window, nullptr) != windows->thread) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t className[64] = {}, caption[256] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 256);
    RECT rect;
    GetWindowRect(window, &rect);
    if (wcscmp(className, L"#32768") == 0) {
        printf("popup rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
    } else if (wcscmp(className, L"#32770") == 0) {
        printf("dialog rect=%ld,%ld,%ld,%ld caption=%s\n", rect.left, rect.top, rect.right,
               rect.bottom, Utf8(caption).c_str());
        EnumChildWindows(window, PrintDialogControl, 0);
    }
    return TRUE;
}

// Closing while a timer runs asks first; "quit" answers that question with OK.
void ConfirmQuestion(DWORD thread) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        Sleep(50);
        HWND box = FindWindowW(L"#32770", L"退出");
        if (box && GetWindowThreadProcessId(box, nullptr) == thread) {
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
    }
}

std::string Text(BSTR text) {
    std::string bytes = text ? Utf8(text) : "";
    SysFreeString(text);
    return bytes;
}

// One line for a child: its id (or "object" for a child that is an object of its own), role,
// name, value, state and place on the screen.
void PrintAccessible(IAccessible* object, LONG id, const char* label) {
    const VARIANT child = MsaaChild(id);
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    BSTR name = nullptr, value = nullptr;
    object->get_accName(child, &name);
    object->get_accValue(child, &value);
    LONG x = 0, y = 0, width = 0, height = 0;
    object->accLocation(&x, &y, &width, &height, child);
    printf("reader child=%s role=%ld state=0x%lX location=%ld,%ld,%ld,%ld name=%s value=%s\n",
           label, role.vt == VT_I4 ? role.lVal : -1, state.vt == VT_I4 ? state.lVal : -1, x, y,
           width, height, Text(name).c_str(), Text(value).c_str());
}

// The readout's events as they arrive. The callback only notes them: reading the name and value
// there would be a call into the timer, during which the next event is delivered, nested.
struct HeardEvent {
    DWORD event;
    LONG child;
    DWORD ms;
};
struct ReaderEvents {
    HWND window;
    DWORD start;
    HeardEvent heard[64];
    int count;
};
ReaderEvents readerEvents;

void CALLBACK OnReaderEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    if (window != readerEvents.window || object != OBJID_CLIENT || readerEvents.count == 64) return;
    readerEvents.heard[readerEvents.count++] = {event, child, GetTickCount() - readerEvents.start};
}

// Prints the events noted since the last call, each with the name and value read now.
void SayHeardEvents(IAccessible* client, int& from, int (&totals)[4]) {
    for (; from < readerEvents.count; ++from) {
        const HeardEvent& heard = readerEvents.heard[from];
        const int kind = heard.event == EVENT_OBJECT_NAMECHANGE    ? 0
                         : heard.event == EVENT_OBJECT_VALUECHANGE ? 1
                         : heard.event == 0x8019                   ? 2
                                                                   : 3;
        ++totals[kind];
        BSTR name = nullptr, value = nullptr;
        client->get_accName(MsaaChild(heard.child), &name);
        client->get_accValue(MsaaChild(heard.child), &value);
        const char* kinds[] = {"name", "value", "live", "other"};
        printf("reader event=%s child=%ld ms=%lu name=%s value=%s\n", kinds[kind], heard.child,
               heard.ms, Text(name).c_str(), Text(value).c_str());
    }
}

// As a screen reader: the client object, its children, the hit test at the readout band's centre
// and, for `seconds`, the readout's events (the object held all that time).
int ReadAsScreenReader(HWND window, int seconds) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* client = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&client)))) {
        printf("reader no client object\n");
        return 1;
    }
    LONG count = 0;
    client->get_accChildCount(&count);
    printf("reader count=%ld\n", count);
    VARIANT children[16];
    LONG got = 0;
    AccessibleChildren(client, 0, 16, children, &got);
    for (LONG i = 0; i < got; ++i) {
        if (children[i].vt == VT_I4) {
            PrintAccessible(client, children[i].lVal, std::to_string(children[i].lVal).c_str());
        } else if (children[i].vt == VT_DISPATCH) {
            // A control: its window's name, through the object the system makes for it.
            HWND control = nullptr;
            WindowFromAccessibleObject(reinterpret_cast<IAccessible*>(children[i].pdispVal),
                                       &control);
            IAccessible* object = nullptr;
            AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&object));
            if (object) PrintAccessible(object, CHILDID_SELF, "object");
            if (object) object->Release();
        }
        VariantClear(&children[i]);
    }
    LONG x = 0, y = 0, width = 0, height = 0;
    client->accLocation(&x, &y, &width, &height, MsaaChild(1));
    const POINT centre = {x + width / 2, y + height / 2};
    VARIANT hit;
    VariantInit(&hit);
    client->accHitTest(centre.x, centre.y, &hit);
    printf("reader hit=%ld,%ld vt=%d id=%ld\n", centre.x, centre.y, hit.vt,
           hit.vt == VT_I4 ? hit.lVal : -1);
    if (seconds > 0) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        readerEvents.window = window;
        readerEvents.start = GetTickCount();
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, 0x8019, nullptr,
                                             OnReaderEvent, process, 0, WINEVENT_OUTOFCONTEXT);
        const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
        int said = 0;
        int totals[4] = {};
        while (GetTickCount() < end) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            SayHeardEvents(client, said, totals);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        UnhookWinEvent(hook);
        printf("reader events names=%d values=%d live=%d other=%d seconds=%d\n", totals[0],
               totals[1], totals[2], totals[3], seconds);
    }
    client->Release();
    return 0;
}

}  // namespace

// "probe" prints the timer's windows; "probe close" asks it to close as its close button would;
// "probe quit" does the same and confirms if the timer asks; "probe reader [SECONDS]" reads it
// as a screen reader, listening to the readout's events for SECONDS.
int wmain(int argc, wchar_t** argv) {
    const bool quit = argc > 1 && wcscmp(argv[1], L"quit") == 0;
    const bool close = quit || (argc > 1 && wcscmp(argv[1], L"close") == 0);
    const wchar_t* className = L"ZelvikTimerWindow";
    HWND window = nullptr;
    // Printing waits up to 10 s for the program to have created and shown its window (FindWindow
    // already finds it while its creation handler runs); closing looks once.
    const int attempts = close ? 1 : 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        window = FindWindowW(className, nullptr);
        if (window && (close || IsWindowVisible(window))) break;
        window = nullptr;
        Sleep(100);
    }
    if (!window) {
        printf("no window\n");
        return 1;
    }
    if (argc > 1 && wcscmp(argv[1], L"reader") == 0)
        return ReadAsScreenReader(window, argc > 2 ? _wtoi(argv[2]) : 0);
    if (close) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (quit) ConfirmQuestion(GetWindowThreadProcessId(window, nullptr));
        return 0;
    }
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    printf(
        "window rect=%ld,%ld,%ld,%ld size=%ldx%ld client_origin=%ld,%ld style=0x%08lX "
        "exstyle=0x%08lX caption=%s\n",
        frame.left, frame.top, frame.right, frame.bottom, frame.right - frame.left,
        frame.bottom - frame.top, origin.x, origin.y,
        static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), Utf8(caption).c_str());
    // The window region's box in window coordinates, or none while the whole window shows.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    if (GetWindowRgn(window, region) != ERROR && GetRgnBox(region, &box) != ERROR)
        printf("region box=%ld,%ld,%ld,%ld\n", box.left, box.top, box.right, box.bottom);
    else
        printf("region none\n");
    DeleteObject(region);
    EnumChildWindows(window, PrintControl, 0);
    // Whether a modal window has disabled the timer, the focus on its thread (the id of the focused
    // control, 0 for the window itself, -1 for none) and which window has the keyboard.
    HWND foreground = GetForegroundWindow();
    wchar_t foregroundClass[64] = {}, foregroundCaption[256] = {};
    GetClassNameW(foreground, foregroundClass, 64);
    GetWindowTextW(foreground, foregroundCaption, 256);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    const int focusId = thread.hwndFocus == window ? 0
                        : thread.hwndFocus         ? GetDlgCtrlID(thread.hwndFocus)
                                                   : -1;
    printf("state enabled=%d focus_id=%d foreground_class=%s foreground=%s\n",
           IsWindowEnabled(window) ? 1 : 0, focusId, Utf8(foregroundClass).c_str(),
           Utf8(foregroundCaption).c_str());
    ThreadWindows windows = {GetWindowThreadProcessId(window, nullptr)};
    EnumWindows(PrintThreadWindow, reinterpret_cast<LPARAM>(&windows));
    return 0;
}
