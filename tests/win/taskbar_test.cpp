// The countdown's bar on the taskbar button, through a recording taskbar list that this process
// registers in place of the shell's before the program's first countdown start; and the alarm's
// flash of a window in front. The cases run in this order, in a process of their own.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "com_start.h"
#include "run_control.h"
#include "test_support.h"

namespace {

struct TaskbarCall {
    int list;      // which list, in the order they were made
    bool isState;  // SetProgressState, else SetProgressValue
    int state;
    ULONGLONG completed;
    ULONGLONG total;
    HWND window;
    DWORD thread;
    ULONGLONG tick;
};

struct Recording {
    std::vector<TaskbarCall> calls;
    int made = 0;
    int initialised = 0;
    int alive = 0;
};
Recording recording;

// The taskbar list as the program uses it; the rest of the interface is answered and ignored.
class RecordingList : public ITaskbarList3 {
public:
    RecordingList() : serial(++recording.made) { ++recording.alive; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_ITaskbarList || id == IID_ITaskbarList2 ||
            id == IID_ITaskbarList3) {
            *object = static_cast<ITaskbarList3*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) {
            --recording.alive;
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE HrInit() override {
        ++recording.initialised;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND window, ULONGLONG completed,
                                               ULONGLONG total) override {
        Record(false, 0, completed, total, window);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND window, TBPFLAG state) override {
        Record(true, state, 0, 0, window);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }

private:
    virtual ~RecordingList() = default;
    void Record(bool isState, int state, ULONGLONG completed, ULONGLONG total, HWND window) {
        recording.calls.push_back({serial, isState, state, completed, total, window,
                                   GetCurrentThreadId(), GetTickCount64()});
    }
    const int serial;
    ULONG references = 1;
};

class ListFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Static: lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* list = new RecordingList;
        const HRESULT result = list->QueryInterface(id, object);
        list->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
ListFactory factory;

// Before any case: this thread's COM, and the recording list in place of the shell's.
class RegisteredList : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        DWORD cookie = 0;
        ASSERT_EQ(CoRegisterClassObject(CLSID_TaskbarList, &factory, CLSCTX_INPROC_SERVER,
                                        REGCLS_MULTIPLEUSE, &cookie),
                  S_OK);
    }
};
[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new RegisteredList);

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

UINT ButtonCreatedMessage() {
    return RegisterWindowMessageW(L"TaskbarButtonCreated");
}

std::vector<int> StatesFrom(size_t first) {
    std::vector<int> states;
    for (size_t i = first; i < recording.calls.size(); ++i)
        if (recording.calls[i].isState) states.push_back(recording.calls[i].state);
    return states;
}

// The most calls made within any one second.
size_t MostCallsInASecond(size_t first) {
    size_t most = 0;
    for (size_t i = first; i < recording.calls.size(); ++i) {
        size_t within = 0;
        for (size_t j = i; j < recording.calls.size(); ++j)
            if (recording.calls[j].tick - recording.calls[i].tick < 1000) ++within;
        most = std::max(most, within);
    }
    return most;
}

uint64_t Banked() {
    StateLock lock;
    return timerState.accumulatedMs;
}

}  // namespace

TEST(TaskbarButton, TheClockAndTheStopwatchStartNothingAndCallNothing) {
    ResetTimerState();
    timerState.mode = TimerMode::Clock;
    HANDLE worker = StartWorker();
    PumpFor(1500);  // the clock's readout passes a second
    timerState.mode = TimerMode::Stopwatch;
    StartPauseResume();
    PumpFor(1200);
    StartPauseResume();
    ResetTimer();
    // The shell's button appears before anything needs it.
    SendMessageW(TimerWindow(), ButtonCreatedMessage(), 0, 0);
    PumpFor(100);
    StopWorker(worker);
    EXPECT_FALSE(ComStarted());
    EXPECT_EQ(recording.made, 0);
    EXPECT_TRUE(recording.calls.empty());
}

TEST(TaskbarButton, AFixedCountdownGoesNormalPausedNormalRedAndAwayFromTheUiThread) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 3;
    timerState.timeoutContinue = true;
    // The readout changes at every iteration; the bar must still follow it only once a second.
    timerState.showMilliseconds = true;
    ResetTimer();
    PumpFor(50);
    EXPECT_FALSE(ComStarted()) << "a reset is no countdown start";
    const size_t first = recording.calls.size();

    HANDLE worker = StartWorker();
    StartPauseResume();
    PumpFor(1300);
    EXPECT_TRUE(ComStarted());
    StartPauseResume();  // pause
    const uint64_t banked = Banked();
    PumpFor(600);
    StartPauseResume();  // resume
    EXPECT_TRUE(PumpUntil([] { return timerState.expired.load(); }, 5000));
    PumpFor(1300);  // into the overtime
    ResetTimer();
    PumpFor(100);
    StopWorker(worker);

    EXPECT_EQ(recording.made, 1);
    EXPECT_EQ(recording.initialised, 1);
    EXPECT_EQ(StatesFrom(first), (std::vector<int>{TBPF_NORMAL, TBPF_PAUSED, TBPF_NORMAL,
                                                   TBPF_ERROR, TBPF_NOPROGRESS}));
    int state = -1;
    ULONGLONG last = 0;
    for (size_t i = first; i < recording.calls.size(); ++i) {
        const TaskbarCall& call = recording.calls[i];
        EXPECT_EQ(call.thread, GetCurrentThreadId()) << "call " << i;
        EXPECT_EQ(call.window, TimerWindow()) << "call " << i;
        if (call.isState) {
            state = call.state;
            continue;
        }
        EXPECT_NE(state, TBPF_NOPROGRESS) << "a value would bring the bar back";
        EXPECT_EQ(call.total, 3000u);
        // Growing while it runs, the banked time when paused, full when red.
        const ULONGLONG wanted = state == TBPF_PAUSED  ? banked
                                 : state == TBPF_ERROR ? 3000u
                                                       : std::max(call.completed, last);
        EXPECT_EQ(call.completed, wanted) << "call " << i << " in state " << state;
        EXPECT_LT(call.completed, 3001u);
        last = call.completed;
    }
    EXPECT_LE(MostCallsInASecond(first), 5u);
}

TEST(TaskbarButton, AfterExplorerRestartsANewListShowsTheCurrentStateAtOnce) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 60;
    ResetTimer();
    StartPauseResume();
    Sleep(20);
    StartPauseResume();  // paused
    PumpMessages();
    const uint64_t banked = Banked();
    const int made = recording.made;
    const size_t first = recording.calls.size();

    SendMessageW(TimerWindow(), ButtonCreatedMessage(), 0, 0);
    EXPECT_EQ(recording.made, made + 1);
    EXPECT_EQ(recording.alive, 1) << "the old list is released";
    ASSERT_EQ(recording.calls.size(), first + 2);
    const TaskbarCall& state = recording.calls[first];
    const TaskbarCall& value = recording.calls[first + 1];
    EXPECT_EQ(state.list, recording.made) << "on the new list";
    EXPECT_EQ(value.list, state.list);
    EXPECT_TRUE(state.isState);
    EXPECT_EQ(state.state, TBPF_PAUSED);
    EXPECT_FALSE(value.isState);
    EXPECT_EQ(value.completed, banked);
    EXPECT_EQ(value.total, 60000u);

    ResetTimer();
    PumpMessages();
    ASSERT_EQ(recording.calls.size(), first + 3);
    EXPECT_EQ(recording.calls.back().list, state.list);
    EXPECT_EQ(recording.calls.back().state, TBPF_NOPROGRESS);
}

// From here on the process's time is driven.
TEST(TaskbarButton, AnUntilTimeCountdownCountsFromItsArmingToItsTarget) {
    ResetTimerState();
    DriveTime();
    WorkerLocal local;
    BeginTickWorker(local);
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::UntilTime;
    timerState.countdownToTime = 10 * 3600 + 10;
    ResetTimer();
    PumpMessages();
    const size_t first = recording.calls.size();
    auto at = [&](int second) {
        SetDrivenLocalTime(10, 0, second, 0);
        RunWorkerIteration(local);
        PumpMessages();
    };
    SetDrivenLocalTime(9, 59, 58, 0);
    StartPauseResume();  // armed 12 s before 10:00:10
    PumpMessages();
    at(4);
    at(10);  // the target
    ASSERT_TRUE(timerState.expired);
    ResetTimer();
    PumpMessages();
    timerState.countdownKind = CountdownKind::FixedDuration;

    struct Expected {
        bool isState;
        int state;
        ULONGLONG completed;
    };
    const Expected expected[] = {{true, TBPF_NORMAL, 0}, {false, 0, 0},
                                 {false, 0, 6000},       {true, TBPF_ERROR, 0},
                                 {false, 0, 12000},      {true, TBPF_NOPROGRESS, 0}};
    ASSERT_EQ(recording.calls.size(), first + std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TaskbarCall& call = recording.calls[first + i];
        EXPECT_EQ(call.isState, expected[i].isState) << "call " << i;
        if (call.isState) {
            EXPECT_EQ(call.state, expected[i].state) << "call " << i;
        } else {
            EXPECT_EQ(call.completed, expected[i].completed) << "call " << i;
            EXPECT_EQ(call.total, 12000u) << "call " << i;
        }
    }
}

namespace {

WNDPROC mainProc = nullptr;
std::vector<WPARAM> captionStates;  // WM_NCACTIVATE as the main window received them

LRESULT CALLBACK NoteCaption(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCACTIVATE) captionStates.push_back(wParam);
    return CallWindowProcW(mainProc, window, message, wParam, lParam);
}

}  // namespace

TEST(AlarmFlash, InFrontTheCaptionFlashesOnceAndIsPutBack) {
    ResetTimerState();
    HWND window = TimerWindow();
    SetForegroundWindow(window);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), window);
    // The run-out of the case before was left with its caption inverted: its worker state is gone.
    FLASHWINFO stop = {sizeof stop, window, FLASHW_STOP, 0, 0};
    FlashWindowEx(&stop);
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteCaption)));
    WorkerLocal local;
    BeginTickWorker(local);
    timerState.mode = TimerMode::Countdown;
    timerState.countdownFixSeconds = 1;
    ResetTimer();
    StartPauseResume();
    auto iterate = [&](uint64_t advanceMs) {
        Driven().tick += advanceMs;
        RunWorkerIteration(local);
        PumpMessages();
    };
    iterate(999);
    EXPECT_TRUE(captionStates.empty());
    iterate(1);  // run out
    ASSERT_TRUE(timerState.expired);
    EXPECT_EQ(captionStates, std::vector<WPARAM>{FALSE}) << "flashed: drawn inactive";
    iterate(499);
    EXPECT_EQ(captionStates.size(), 1u);
    iterate(1);
    EXPECT_EQ(captionStates, (std::vector<WPARAM>{FALSE, TRUE})) << "put back: active";
    iterate(2000);
    EXPECT_EQ(captionStates.size(), 2u);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
    ResetTimer();
}
