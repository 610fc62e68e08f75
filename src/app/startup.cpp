#include "startup.h"

#include "compact_mode.h"
#include "config_file.h"
#include "display_dpi.h"
#include "main_window.h"
#include "resource_ids.h"
#include "sound.h"
#include "system_colours.h"
#include "tick_worker.h"
#include "timer_state.h"
#include "window_icons.h"

namespace {

constexpr int kStringCapacity = 100;

const wchar_t kCaption[] = L"Zelvik计时器";

void RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    LoadClassIcons(instance, windowClass);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

}  // namespace

void InstallEmbeddedFont(HINSTANCE instance) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LCD_FONT), L"TTF");
    HGLOBAL loaded = LoadResource(instance, resource);
    void* bytes = LockResource(loaded);
    DWORD installed = 0;
    // Private to this process and never removed: the readout uses it until the process ends.
    AddFontMemResourceEx(bytes, SizeofResource(instance, resource), nullptr, &installed);
}

bool CreateTimerWindow(HINSTANCE instance, int showCommand) {
    wchar_t initialCaption[kStringCapacity] = {};
    wchar_t windowClassName[kStringCapacity] = {};
    LoadStringW(instance, IDS_APP_TITLE, initialCaption, kStringCapacity);
    LoadStringW(instance, IDS_WINDOW_CLASS, windowClassName, kStringCapacity);
    RegisterMainWindowClass(instance, windowClassName);
    timerState.instance = instance;
    timerState.fitOutlineToReadout = ApplyCompactRegion;
    timerState.configPath = ModuleConfigPath();
    InstallEmbeddedFont(instance);
    LoadSoundLibrary();

    // At the system's scale; WM_CREATE corrects it if the window's own display has another.
    SetLayout(ScaleLayout(WindowDpi(nullptr)));
    // A high-contrast scheme that is on already is painted from the first paint.
    UseSystemColours(ReadSystemColours());
    // WM_CREATE runs inside this call and works on its own window argument: mainWindow is
    // stored only once the call returns.
    HWND window = CreateWindowExW(
        0, windowClassName, initialCaption, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
        CW_USEDEFAULT, timerState.layout.windowWidth, timerState.layout.windowHeight, nullptr,
        nullptr, instance, nullptr);
    if (!window) return false;
    timerState.mainWindow = window;
    SetWindowTextW(window, kCaption);
    // The caption's and the taskbar's pictures at the window's own scale, which WM_CREATE found.
    SetWindowIcons(window, timerState.layout.dpi);

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    InvalidateReadout();
    return true;
}

HANDLE StartTickWorker() {
    return CreateThread(nullptr, 0, TickWorker, nullptr, 0, nullptr);
}

void EndTickWorkerAndSound(HANDLE worker) {
    // The worker leaves at its next look at quitRequested, which the window's end set; until then
    // it may be waiting for this thread to answer a message it sent, so sent messages are still
    // answered. The wait is bounded: an exit must never hang.
    const ULONGLONG deadline = GetTickCount64() + kWorkerEndWaitMs;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &worker, FALSE,
                                                     static_cast<DWORD>(deadline - now),
                                                     QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1) break;
        MSG sent;
        PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(worker);
    // A sound the worker has just asked for may still be opening the audio device on the sound
    // library's thread; a process that ends under it can crash on its way out (Wine does, on a
    // busy machine). Stopping waits for that thread, so the process ends with nothing playing.
    StopSound();
}

int RunMessageLoopWith(MessageGetter getMessage, HACCEL accelerators) {
    MSG message = {};
    for (;;) {
        const BOOL got = getMessage(&message, nullptr, 0, 0);
        // A failed call leaves the message undefined: its exit code would be whatever was there.
        if (got == -1) return kMessageLoopFailed;
        if (got == 0) return static_cast<int>(message.wParam);
        if (TranslateAcceleratorW(message.hwnd, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int RunMessageLoop(HINSTANCE instance) {
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_ACCELERATORS));
    return RunMessageLoopWith(GetMessageW, accelerators);
}

// A start that fails ends with an exit code that says so, for the shortcut or script that ran the
// program: without its worker the window would show a readout that never moves.
int RunTimer(HINSTANCE instance, int showCommand) {
    if (!CreateTimerWindow(instance, showCommand)) return kWindowNotCreated;
    HANDLE worker = StartTickWorker();
    if (!worker) {
        DestroyWindow(timerState.mainWindow);
        return kWorkerNotStarted;
    }
    const int exitCode = RunMessageLoop(instance);
    EndTickWorkerAndSound(worker);
    return exitCode;
}
