// Start-up, the message loop and the process-wide resources they prepare.
#pragma once

#include <windows.h>

// Loads the strings, registers the class, builds the settings path, installs the embedded font,
// creates, captions and shows the main window. False when the window cannot be created.
bool CreateTimerWindow(HINSTANCE instance, int showCommand);

// Registers the embedded LCD face (kLcdFace) for this process only.
void InstallEmbeddedFont(HINSTANCE instance);

// Starts the tick worker on its own thread; null when no thread could be made.
HANDLE StartTickWorker();

// After the message loop: waits a bounded time for the worker to end, closes its handle, then
// stops any sound, so the process never ends while a sound is still starting.
constexpr DWORD kWorkerEndWaitMs = 1000;
void EndTickWorkerAndSound(HANDLE worker);

// Runs the message loop with the accelerators; returns the quit message's exit code, or
// kMessageLoopFailed when getting a message fails.
int RunMessageLoop(HINSTANCE instance);

// The loop itself, with the call that gets each message passed in (GetMessageW in the program).
using MessageGetter = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
constexpr int kMessageLoopFailed = -1;
int RunMessageLoopWith(MessageGetter getMessage, HACCEL accelerators);

// The whole program: what the entry point runs. Returns the quit message's exit code, or one of
// the two below when the start fails (the worker's failure closes the window first).
constexpr int kWindowNotCreated = 1;
constexpr int kWorkerNotStarted = 2;
int RunTimer(HINSTANCE instance, int showCommand);
