// The readout as a screen reader finds it: the real window asked for its client object in this
// process, and the readout's WinEvents heard from a hook while the real worker runs.
#include <windows.h>

// After <windows.h>, which it needs.
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mode_control.h"
#include "msaa_child.h"
#include "readout.h"
#include "readout_accessible.h"
#include "readout_events.h"
#include "run_control.h"
#include "test_support.h"

namespace {


std::wstring Take(BSTR text) {
    const std::wstring taken = text ? text : L"";
    SysFreeString(text);
    return taken;
}

IAccessible* AskForClientObject() {
    IAccessible* client = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(TimerWindow(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&client)),
              S_OK);
    return client;
}

struct ReadoutCase {
    const char* what;
    void (*arrange)(WorkerLocal& local);
    const wchar_t* name;
    const wchar_t* value;
};

// In order: each case starts from what the one before left.
const ReadoutCase kReadouts[] = {
    {"the clock",
     [](WorkerLocal& local) {
         SwitchMode(TimerMode::Clock);
         SetDrivenLocalTime(9, 7, 3, 42);
         RunWorkerIteration(local);
     },
     L"时间", L"09:07:03"},
    {"a paused stopwatch",
     [](WorkerLocal&) {
         SwitchMode(TimerMode::Stopwatch);
         StartPauseResume();
         Driven().tick += 62345;
         StartPauseResume();
     },
     L"秒表 已暂停", L"00:01:02"},
    {"the millisecond form, running",
     [](WorkerLocal& local) {
         ToggleMilliseconds();
         StartPauseResume();
         Driven().tick += 1000;
         RunWorkerIteration(local);
     },
     L"秒表 计时中", L"00:01:03.345"},
    {"a countdown run out",
     [](WorkerLocal& local) {
         ResetTimer();
         ToggleMilliseconds();
         timerState.countdownFixSeconds = 2;
         SwitchMode(TimerMode::Countdown);
         StartPauseResume();
         Driven().tick += 2000;
         RunWorkerIteration(local);
     },
     L"倒计时 时间到", L"00:00:00"},
};

std::wstring Shown() {
    std::string text = DisplayText();
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return std::wstring(text.begin(), text.end());
}

std::vector<DWORD> heard;  // the readout's events, in the order they came

void CALLBACK NoteEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                        DWORD) {
    if (window == timerState.mainWindow && object == OBJID_CLIENT && child == kReadoutChildId)
        heard.push_back(event);
}

long Heard(DWORD event) {
    return std::count(heard.begin(), heard.end(), event);
}

// A running stopwatch with milliseconds counted on in steps of 20 ms up to `ms`, each step seen
// on the readout before the next.
void CountTo(uint64_t ms) {
    for (uint64_t shown = 20; shown <= ms; shown += 20) {
        Driven().tick += 20;
        ReadoutBuffer want = {};
        FormatMillisecondsReadout(want, shown, true);
        const std::string text = want;
        ASSERT_TRUE(PumpUntil([&] { return DisplayText() == text; }, 3000)) << text;
    }
}

}  // namespace

TEST(ReadoutAccess, TheClientObjectTellsOfTheReadoutInEachState) {
    ResetTimerState();
    DriveTime();
    WorkerLocal local;
    BeginTickWorker(local);
    ResetTimer();
    IAccessible* client = AskForClientObject();
    ASSERT_NE(client, nullptr);
    for (const ReadoutCase& c : kReadouts) {
        SCOPED_TRACE(c.what);
        c.arrange(local);
        VARIANT role, state;
        EXPECT_EQ(client->get_accRole(MsaaChild(kReadoutChildId), &role), S_OK);
        EXPECT_EQ(role.vt == VT_I4 ? role.lVal : -1, ROLE_SYSTEM_CLOCK);
        EXPECT_EQ(client->get_accState(MsaaChild(kReadoutChildId), &state), S_OK);
        EXPECT_EQ(state.vt == VT_I4 ? state.lVal : -1, STATE_SYSTEM_READONLY);
        BSTR name = nullptr, value = nullptr;
        client->get_accName(MsaaChild(kReadoutChildId), &name);
        client->get_accValue(MsaaChild(kReadoutChildId), &value);
        EXPECT_EQ(Take(name), c.name);
        const std::wstring read = Take(value);
        EXPECT_EQ(read, c.value);
        EXPECT_EQ(read, Shown()) << "not what the screen shows";
    }

    // The readout first, then the eight controls as the system lists them.
    LONG count = 0;
    EXPECT_EQ(client->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 9);
    VARIANT children[16];
    AccessibleChildren(client, 0, 16, children, &count);
    ASSERT_EQ(count, 9);
    EXPECT_EQ(children[0].vt, VT_I4);
    EXPECT_EQ(children[0].lVal, kReadoutChildId);
    std::vector<HWND> controls;
    for (LONG i = 1; i < count; ++i) {
        HWND control = nullptr;
        if (children[i].vt == VT_DISPATCH)
            WindowFromAccessibleObject(reinterpret_cast<IAccessible*>(children[i].pdispVal),
                                       &control);
        controls.push_back(control);
        VariantClear(&children[i]);
    }
    for (HWND control : timerState.tabOrder)
        EXPECT_NE(std::find(controls.begin(), controls.end(), control), controls.end());

    // On the screen: the band at the window's scale, and a hit inside it finds the readout; a
    // hit on a control finds the control.
    LONG x = 0, y = 0, width = 0, height = 0;
    EXPECT_EQ(client->accLocation(&x, &y, &width, &height, MsaaChild(kReadoutChildId)), S_OK);
    RECT band = DisplayRect();
    MapWindowPoints(timerState.mainWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&band), 2);
    EXPECT_EQ(x, band.left);
    EXPECT_EQ(y, band.top);
    EXPECT_EQ(width, band.right - band.left);
    EXPECT_EQ(height, band.bottom - band.top);
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_EQ(client->accHitTest(x + width / 2, y + height / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, kReadoutChildId);
    RECT button;
    GetWindowRect(timerState.startButton, &button);
    VariantInit(&hit);
    client->accHitTest((button.left + button.right) / 2, (button.top + button.bottom) / 2, &hit);
    EXPECT_EQ(hit.vt, VT_DISPATCH);
    VariantClear(&hit);

    // The window going away while a client holds the object: it answers, without the window.
    DisconnectReadoutAccessible();
    BSTR name = nullptr;
    EXPECT_EQ(client->get_accName(MsaaChild(kReadoutChildId), &name), CO_E_OBJNOTCONNECTED);
    client->Release();
    ResetTimer();
    SwitchMode(TimerMode::Stopwatch);
}

TEST(ReadoutEvents, AtMostOneValueASecondWhileRunningAndTheRunOutSpoken) {
    ResetTimerState();
    DriveTime();
    timerState.showMilliseconds = true;
    ResetTimer();
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, kEventLiveRegionChanged, nullptr, NoteEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    HANDLE worker = StartWorker();
    PumpMessages();
    heard.clear();

    StartPauseResume();
    CountTo(5000);
    // The events of the last seconds may still be on their way.
    PumpUntil([] { return Heard(EVENT_OBJECT_VALUECHANGE) >= 5; }, 2000);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(Heard(EVENT_OBJECT_NAMECHANGE), 1) << "the start";
    EXPECT_LE(Heard(EVENT_OBJECT_VALUECHANGE), 6) << "5 s of milliseconds";
    EXPECT_GE(Heard(EVENT_OBJECT_VALUECHANGE), 5) << "one a second";

    ResetTimer();
    timerState.countdownFixSeconds = 2;
    SwitchMode(TimerMode::Countdown);
    PumpMessages();
    heard.clear();
    StartPauseResume();
    Driven().tick += 1000;
    ASSERT_TRUE(PumpUntil([] { return DisplayText() == "00:00:01.000"; }, 3000));
    Driven().tick += 1000;
    ASSERT_TRUE(PumpUntil([] { return Heard(kEventLiveRegionChanged) > 0; }, 3000));
    const auto live = std::find(heard.begin(), heard.end(), kEventLiveRegionChanged);
    ASSERT_GE(live - heard.begin(), 2);
    EXPECT_EQ(live[-2], static_cast<DWORD>(EVENT_OBJECT_NAMECHANGE)) << "named 时间到 first";
    EXPECT_EQ(live[-1], static_cast<DWORD>(EVENT_OBJECT_VALUECHANGE));

    StopWorker(worker);
    UnhookWinEvent(hook);
    ResetTimer();
    timerState.showMilliseconds = false;
    SwitchMode(TimerMode::Stopwatch);
}
