// The countdown settings dialog, opened for real and driven inside its modal loop: what it shows
// when it opens, its spinners and rows, and what OK, Cancel, Esc and the close button leave
// behind in the timer state, the 设定 caption, the readout and cfg.ini.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "button_captions.h"
#include "config_file.h"
#include "config_rules.h"
#include "countdown_dialog.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "test_support.h"

namespace {

constexpr int kFixedEdits[] = {IDC_FIX_HOURS, IDC_FIX_MINUTES, IDC_FIX_SECONDS};
constexpr int kUntilEdits[] = {IDC_UNTIL_HOURS, IDC_UNTIL_MINUTES, IDC_UNTIL_SECONDS};
// Each row's controls in the order they are enabled: edit, spinner, edit, spinner...
constexpr int kFixedRow[] = {IDC_FIX_HOURS,        IDC_FIX_HOURS_SPIN, IDC_FIX_MINUTES,
                             IDC_FIX_MINUTES_SPIN, IDC_FIX_SECONDS,    IDC_FIX_SECONDS_SPIN};
constexpr int kUntilRow[] = {IDC_UNTIL_HOURS,        IDC_UNTIL_HOURS_SPIN, IDC_UNTIL_MINUTES,
                             IDC_UNTIL_MINUTES_SPIN, IDC_UNTIL_SECONDS,    IDC_UNTIL_SECONDS_SPIN};

struct Spinner {
    int id;
    int edit;
    int maximum;
    int kind;  // the radio button that enables its row
};
constexpr Spinner kSpinners[] = {
    {IDC_FIX_HOURS_SPIN, IDC_FIX_HOURS, 99, IDC_KIND_FIXED},
    {IDC_FIX_MINUTES_SPIN, IDC_FIX_MINUTES, 59, IDC_KIND_FIXED},
    {IDC_FIX_SECONDS_SPIN, IDC_FIX_SECONDS, 59, IDC_KIND_FIXED},
    {IDC_UNTIL_HOURS_SPIN, IDC_UNTIL_HOURS, 23, IDC_KIND_UNTIL},
    {IDC_UNTIL_MINUTES_SPIN, IDC_UNTIL_MINUTES, 59, IDC_KIND_UNTIL},
    {IDC_UNTIL_SECONDS_SPIN, IDC_UNTIL_SECONDS, 59, IDC_KIND_UNTIL},
};

std::string SettingsFile(const char* timeoutContinue, const char* fixSeconds, const char* toTime) {
    return std::string("[CFG]\r\ntimeout_continue=") + timeoutContinue +
           "\r\ncountdown_fix_second=" + fixSeconds + "\r\ncountdown_to_time=" + toTime + "\r\n";
}

// An idle countdown with the start-up settings, and a settings file path of its own that holds
// no file yet (the profile functions cache by path, so every case gets a new folder).
std::wstring FreshCountdown(const std::wstring& name, const std::string* content = nullptr) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    const std::wstring path = TestFolder(L"dialog-" + name) + L"\\cfg.ini";
    DeleteFileW(path.c_str());
    timerState.configPath = path;
    if (content) {
        WriteFileBytes(path, *content);
        LoadConfiguration();
    }
    RefreshTargetCaption();
    SetDisplayText("--", 2);
    return path;
}

INT_PTR RunCountdownDialog(std::function<void(HWND)> action) {
    return RunDialog(IDD_COUNTDOWN, CountdownDialogProc, std::move(action));
}

std::vector<std::string> RowTexts(HWND dialog, const int (&edits)[3]) {
    return {EditText(dialog, edits[0]), EditText(dialog, edits[1]), EditText(dialog, edits[2])};
}

void ExpectRowEnabled(HWND dialog, const int (&row)[6], bool enabled) {
    for (int id : row) EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE, enabled) << id;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetRow(HWND dialog, const int (&edits)[3], const char* hours, const char* minutes,
            const char* seconds) {
    SetFieldText(dialog, edits[0], hours);
    SetFieldText(dialog, edits[1], minutes);
    SetFieldText(dialog, edits[2], seconds);
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

using Row = std::vector<std::string>;

}  // namespace

TEST(CountdownDialog, OpensCentredWithTheStartUpSettings) {
    FreshCountdown(L"defaults");
    RunCountdownDialog([](HWND dialog) {
        wchar_t caption[64] = {};
        GetWindowTextW(dialog, caption, 64);
        EXPECT_STREQ(caption, L"倒计时设定");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), timerState.mainWindow);
        EXPECT_FALSE(IsWindowEnabled(timerState.mainWindow));  // modal
        RECT frame, work;
        GetWindowRect(dialog, &frame);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR(Centre(frame).x, Centre(work).x, 1);
        EXPECT_NEAR(Centre(frame).y, Centre(work).y, 1);

        EXPECT_EQ(RowTexts(dialog, kFixedEdits), (Row{"0", "5", "0"}));
        EXPECT_EQ(RowTexts(dialog, kUntilEdits), (Row{"0", "0", "0"}));
        ExpectRowEnabled(dialog, kFixedRow, true);
        ExpectRowEnabled(dialog, kUntilRow, false);
        EXPECT_TRUE(Checked(dialog, IDC_KIND_FIXED));
        EXPECT_FALSE(Checked(dialog, IDC_KIND_UNTIL));
        EXPECT_FALSE(Checked(dialog, IDC_TIMEOUT_CONTINUE));
        // Checking a radio button gives it a tab stop, so the dialog manager's first focus is the
        // committed kind; one Tab on is its first field.
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_KIND_FIXED));
        // Enter confirms: OK is the default button, although the template marks Cancel too.
        EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));

        // The six edits show the LCD face; everything else keeps the template's font.
        for (int id : {IDC_FIX_HOURS, IDC_FIX_MINUTES, IDC_FIX_SECONDS, IDC_UNTIL_HOURS,
                       IDC_UNTIL_MINUTES, IDC_UNTIL_SECONDS}) {
            LOGFONTW font = {};
            GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_STREQ(font.lfFaceName, L"DEDOziv2") << id;
            EXPECT_EQ(font.lfHeight, 30) << id;
            EXPECT_EQ(font.lfWeight, FW_NORMAL) << id;
            EXPECT_EQ(font.lfCharSet, ANSI_CHARSET) << id;
        }
        const HFONT templateFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
        for (int id : {IDC_KIND_FIXED, IDC_KIND_UNTIL, IDOK, IDCANCEL, IDC_TIMEOUT_CONTINUE})
            EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0)),
                      templateFont)
                << id;
        ClickButton(dialog, IDCANCEL);
    });
}

TEST(CountdownDialog, OpensWithTheStoredSettings) {
    const std::string stored = SettingsFile("1", "3600", "70200");
    FreshCountdown(L"stored-3600", &stored);
    RunCountdownDialog([](HWND dialog) {
        EXPECT_EQ(RowTexts(dialog, kFixedEdits), (Row{"1", "0", "0"}));
        EXPECT_EQ(RowTexts(dialog, kUntilEdits), (Row{"19", "30", "0"}));
        EXPECT_TRUE(Checked(dialog, IDC_TIMEOUT_CONTINUE));
        EXPECT_TRUE(Checked(dialog, IDC_KIND_FIXED));
        ClickButton(dialog, IDCANCEL);
    });

    // A committed time-of-day kind opens with its own row enabled; long lengths are not cut to
    // the two digits typing allows.
    const std::string large = SettingsFile("0", "4294967", "362439");
    FreshCountdown(L"stored-large", &large);
    timerState.countdownKind = CountdownKind::UntilTime;
    RunCountdownDialog([](HWND dialog) {
        EXPECT_EQ(RowTexts(dialog, kFixedEdits), (Row{"1193", "2", "47"}));
        EXPECT_EQ(RowTexts(dialog, kUntilEdits), (Row{"100", "40", "39"}));
        EXPECT_FALSE(Checked(dialog, IDC_TIMEOUT_CONTINUE));
        EXPECT_FALSE(Checked(dialog, IDC_KIND_FIXED));
        EXPECT_TRUE(Checked(dialog, IDC_KIND_UNTIL));
        ExpectRowEnabled(dialog, kFixedRow, false);
        ExpectRowEnabled(dialog, kUntilRow, true);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_KIND_UNTIL));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(timerState.countdownFixSeconds, 4294967u);
}

TEST(CountdownDialog, SpinnersStopAtTheirLimitsAndTypingAtTwoCharacters) {
    FreshCountdown(L"spinners");
    RunCountdownDialog([](HWND dialog) {
        for (const Spinner& spinner : kSpinners) {
            SCOPED_TRACE(spinner.id);
            ClickButton(dialog, spinner.kind);  // a disabled spinner would ignore the mouse
            HWND control = GetDlgItem(dialog, spinner.id);
            HWND edit = GetDlgItem(dialog, spinner.edit);
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(control, UDM_GETBUDDY, 0, 0)), edit);
            EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 2);
            int low = -1, high = -1;
            SendMessageW(control, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                         reinterpret_cast<LPARAM>(&high));
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, spinner.maximum);

            RECT client;
            GetClientRect(control, &client);
            const int x = client.right / 2;
            const int up = client.bottom / 4;
            const int down = client.bottom * 3 / 4;
            const std::string maximum = std::to_string(spinner.maximum);
            const std::string belowMaximum = std::to_string(spinner.maximum - 1);

            SetWindowTextA(edit, belowMaximum.c_str());
            ClickAt(control, x, up);
            EXPECT_EQ(EditText(dialog, spinner.edit), maximum);
            ClickAt(control, x, up);  // no wrap to 0
            EXPECT_EQ(EditText(dialog, spinner.edit), maximum);
            EXPECT_EQ(SendMessageW(control, UDM_GETPOS32, 0, 0), spinner.maximum);
            SetWindowTextA(edit, "1");
            ClickAt(control, x, down);
            EXPECT_EQ(EditText(dialog, spinner.edit), "0");
            ClickAt(control, x, down);  // no wrap to the maximum
            EXPECT_EQ(EditText(dialog, spinner.edit), "0");
            EXPECT_EQ(SendMessageW(control, UDM_GETPOS32, 0, 0), 0);
        }

        // Typing replaces the selection and stops at two characters; letters are refused.
        HWND edit = GetDlgItem(dialog, IDC_UNTIL_MINUTES);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (char key : {'1', 'x', '2', '3'}) SendMessageW(edit, WM_CHAR, key, 1);
        EXPECT_EQ(EditText(dialog, IDC_UNTIL_MINUTES), "12");
        ClickButton(dialog, IDCANCEL);
    });
}

TEST(CountdownDialog, ARadioClickSwitchesTheRowsButNotTheKind) {
    FreshCountdown(L"radio");
    RunCountdownDialog([](HWND dialog) {
        ClickButton(dialog, IDC_KIND_UNTIL);
        EXPECT_TRUE(Checked(dialog, IDC_KIND_UNTIL));
        EXPECT_FALSE(Checked(dialog, IDC_KIND_FIXED));
        ExpectRowEnabled(dialog, kFixedRow, false);
        ExpectRowEnabled(dialog, kUntilRow, true);
        EXPECT_EQ(timerState.pendingCountdownKind, CountdownKind::UntilTime);
        EXPECT_EQ(timerState.countdownKind, CountdownKind::FixedDuration);

        ClickButton(dialog, IDC_KIND_FIXED);
        EXPECT_TRUE(Checked(dialog, IDC_KIND_FIXED));
        EXPECT_FALSE(Checked(dialog, IDC_KIND_UNTIL));
        ExpectRowEnabled(dialog, kFixedRow, true);
        ExpectRowEnabled(dialog, kUntilRow, false);
        EXPECT_EQ(timerState.pendingCountdownKind, CountdownKind::FixedDuration);
        ClickButton(dialog, IDCANCEL);
    });
}

namespace {

struct OkCase {
    const wchar_t* name;
    CountdownKind kind;
    const char* fields[3];
    bool showMilliseconds;
    uint32_t seconds;
    const wchar_t* caption;
    const char* readout;
    const char* file;  // the two lengths as written
    Row reopened;
};

}  // namespace

TEST(CountdownDialog, OkStoresShowsAndWritesEachExample) {
    using K = CountdownKind;
    const OkCase cases[] = {
        {L"ok-6039",
         K::FixedDuration,
         {"0", "99", "99"},
         false,
         6039,
         L"共01:40:39",
         "01:40:39    ",
         "6039|0",
         {"1", "40", "39"}},
        {L"ok-6039-ms",
         K::FixedDuration,
         {"0", "99", "99"},
         true,
         6039,
         L"共01:40:39",
         "01:40:39.000",
         "6039|0",
         {"1", "40", "39"}},
        {L"ok-362439",
         K::FixedDuration,
         {"99", "99", "99"},
         false,
         362439,
         L"共100:40:39",
         "100:40:39    ",
         "362439|0",
         {"100", "40", "39"}},
        {L"ok-70200",
         K::UntilTime,
         {"19", "30", "0"},
         false,
         70200,
         L"到19:30:00",
         "00:00:00    ",
         "300|70200",
         {"19", "30", "0"}},
        {L"ok-70200-ms",
         K::UntilTime,
         {"19", "30", "0"},
         true,
         70200,
         L"到19:30:00",
         "00:00:00.000",
         "300|70200",
         {"19", "30", "0"}},
        {L"ok-88740",
         K::UntilTime,
         {"23", "99", "0"},
         false,
         88740,
         L"到24:39:00",
         "00:00:00    ",
         "300|88740",
         {"24", "39", "0"}},
    };
    for (const OkCase& example : cases) {
        SCOPED_TRACE(testing::Message() << example.seconds << " " << example.readout);
        const std::wstring path = FreshCountdown(example.name);
        timerState.showMilliseconds = example.showMilliseconds;
        const bool until = example.kind == K::UntilTime;
        const INT_PTR result = RunCountdownDialog([&](HWND dialog) {
            if (until) ClickButton(dialog, IDC_KIND_UNTIL);
            SetRow(dialog, until ? kUntilEdits : kFixedEdits, example.fields[0], example.fields[1],
                   example.fields[2]);
            ClickButton(dialog, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(timerState.countdownKind, example.kind);
        EXPECT_EQ(until ? timerState.countdownToTime : timerState.countdownFixSeconds,
                  example.seconds);
        EXPECT_EQ(until ? timerState.countdownFixSeconds : timerState.countdownToTime,
                  until ? 300u : 0u);
        EXPECT_FALSE(timerState.timeoutContinue);
        EXPECT_EQ(WindowText(timerState.setButton), example.caption);
        EXPECT_EQ(DisplayText(), example.readout);
        const std::string lengths = example.file;
        const size_t bar = lengths.find('|');
        EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", lengths.substr(0, bar).c_str(),
                                                    lengths.substr(bar + 1).c_str()));
        EXPECT_TRUE(IsWindowEnabled(timerState.mainWindow));

        // The next opening shows what was stored, with the committed kind.
        RunCountdownDialog([&](HWND dialog) {
            EXPECT_EQ(RowTexts(dialog, until ? kUntilEdits : kFixedEdits), example.reopened);
            EXPECT_EQ(Checked(dialog, IDC_KIND_UNTIL), until);
            EXPECT_EQ(Checked(dialog, IDC_KIND_FIXED), !until);
            ClickButton(dialog, IDCANCEL);
        });
    }
}

TEST(CountdownDialog, OkWithoutChangesWritesAllThreeKeysAgain) {
    const std::wstring path = FreshCountdown(L"unchanged");
    RunCountdownDialog([](HWND dialog) { ClickButton(dialog, IDOK); });
    // A file written from scratch: the section, then the keys in the order they are written.
    EXPECT_EQ(ReadFileBytes(path),
              "[CFG]\r\ntimeout_continue=0\r\ncountdown_fix_second=300\r\n"
              "countdown_to_time=0\r\n");
    EXPECT_EQ(WindowText(timerState.setButton), L"共00:05:00");
    EXPECT_EQ(DisplayText(), "00:05:00    ");

    // The overtime box and the kind, and a file deleted meanwhile comes back whole.
    DeleteFileW(path.c_str());
    RunCountdownDialog([](HWND dialog) {
        ClickButton(dialog, IDC_TIMEOUT_CONTINUE);
        ClickButton(dialog, IDC_KIND_UNTIL);
        ClickButton(dialog, IDOK);
    });
    EXPECT_TRUE(timerState.timeoutContinue);
    EXPECT_EQ(timerState.countdownKind, CountdownKind::UntilTime);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("1", "300", "0"));
    EXPECT_EQ(WindowText(timerState.setButton), L"到00:00:00");
    RunCountdownDialog([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TIMEOUT_CONTINUE));
        ClickButton(dialog, IDC_TIMEOUT_CONTINUE);
        ClickButton(dialog, IDOK);
    });
    EXPECT_FALSE(timerState.timeoutContinue);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "300", "0"));
}

TEST(CountdownDialog, CancelEscAndTheCloseButtonChangeNothing) {
    const std::string stored = SettingsFile("0", "600", "3600");
    const std::wstring path = FreshCountdown(L"cancel", &stored);
    const std::wstring caption = WindowText(timerState.setButton);
    EXPECT_EQ(caption, L"共00:10:00");
    // Each way out, after a radio click, a ticked box and typed values.
    const std::vector<std::function<void(HWND)>> closers = {
        [](HWND dialog) { ClickButton(dialog, IDCANCEL); },
        [](HWND) { PostKey(GetFocus(), VK_ESCAPE); },
        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (size_t i = 0; i < closers.size(); ++i) {
        SCOPED_TRACE(i);
        const INT_PTR result = RunCountdownDialog([&](HWND dialog) {
            ClickButton(dialog, IDC_KIND_UNTIL);
            ClickButton(dialog, IDC_TIMEOUT_CONTINUE);
            SetRow(dialog, kUntilEdits, "7", "7", "7");
            SetRow(dialog, kFixedEdits, "8", "8", "8");
            closers[i](dialog);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(timerState.countdownKind, CountdownKind::FixedDuration);
        EXPECT_EQ(timerState.countdownFixSeconds, 600u);
        EXPECT_EQ(timerState.countdownToTime, 3600u);
        EXPECT_FALSE(timerState.timeoutContinue);
        EXPECT_EQ(WindowText(timerState.setButton), caption);
        EXPECT_EQ(DisplayText(), "--");
        EXPECT_EQ(ReadFileBytes(path), stored);
        EXPECT_TRUE(IsWindowEnabled(timerState.mainWindow));
    }
    // The next opening shows the committed kind, and OK without a click keeps it.
    RunCountdownDialog([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_KIND_FIXED));
        EXPECT_FALSE(Checked(dialog, IDC_KIND_UNTIL));
        ExpectRowEnabled(dialog, kUntilRow, false);
        EXPECT_EQ(RowTexts(dialog, kFixedEdits), (Row{"0", "10", "0"}));
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownKind, CountdownKind::FixedDuration);
    EXPECT_EQ(WindowText(timerState.setButton), L"共00:10:00");
    EXPECT_EQ(DisplayText(), "00:10:00    ");
}

TEST(CountdownDialog, ValuesTypedIntoARowDisabledBeforeOkAreStillStored) {
    const std::wstring path = FreshCountdown(L"disabled-row");
    RunCountdownDialog([](HWND dialog) {
        SetRow(dialog, kFixedEdits, "0", "10", "0");
        ClickButton(dialog, IDC_KIND_UNTIL);
        SetRow(dialog, kUntilEdits, "6", "0", "5");
        ClickButton(dialog, IDC_KIND_FIXED);
        ClickButton(dialog, IDC_KIND_UNTIL);
        ExpectRowEnabled(dialog, kFixedRow, false);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownKind, CountdownKind::UntilTime);
    EXPECT_EQ(timerState.countdownFixSeconds, 600u);
    EXPECT_EQ(timerState.countdownToTime, 21605u);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "600", "21605"));
    EXPECT_EQ(WindowText(timerState.setButton), L"到06:00:05");

    RunCountdownDialog([](HWND dialog) {
        SetRow(dialog, kUntilEdits, "8", "0", "0");
        ClickButton(dialog, IDC_KIND_FIXED);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownToTime, 28800u);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "600", "28800"));
    EXPECT_EQ(WindowText(timerState.setButton), L"共00:10:00");
}

TEST(CountdownDialog, PastedTotalsOutsideTheLoadableRangeAreClamped) {
    const std::wstring path = FreshCountdown(L"clamped");
    RunCountdownDialog([](HWND dialog) {
        SetRow(dialog, kFixedEdits, "99999999999", "0", "0");
        SetRow(dialog, kUntilEdits, "-5", "0", "0");
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownFixSeconds, kMaxFixSeconds);
    EXPECT_EQ(timerState.countdownToTime, 0u);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "4294967", "0"));
    EXPECT_EQ(WindowText(timerState.setButton), L"共1193:02:47");
    EXPECT_EQ(DisplayText(), "1193:02:47    ");

    RunCountdownDialog([](HWND dialog) {
        SetRow(dialog, kFixedEdits, " -1", "+30", "0");
        SetRow(dialog, kUntilEdits, "101", "0", "0");
        ClickButton(dialog, IDC_KIND_UNTIL);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownFixSeconds, 0u);
    EXPECT_EQ(timerState.countdownToTime, kMaxToTime);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "0", "362439"));
    // What was written loads back unchanged.
    timerState.countdownToTime = 1;
    LoadConfiguration();
    EXPECT_EQ(timerState.countdownToTime, kMaxToTime);
}

namespace {

// Replaces a field's whole text by a paste through the clipboard, as Ctrl+V would.
void PasteInto(HWND dialog, int id, const wchar_t* text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(dialog));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(dialog, id, WM_PASTE, 0, 0);
}

}  // namespace

TEST(CountdownDialog, PastedFullWidthDigitsAreRewrittenAndStored) {
    const std::wstring path = FreshCountdown(L"full-width");
    RunCountdownDialog([](HWND dialog) {
        const wchar_t* pasted[] = {L"\uFF11\uFF12", L"\uFF13\uFF14", L"\uFF15"};
        for (int i = 0; i < 3; ++i) PasteInto(dialog, kFixedEdits[i], pasted[i]);
        EXPECT_EQ(RowTexts(dialog, kFixedEdits), (Row{"12", "34", "5"}));
        DWORD start = 0, end = 0;
        SendDlgItemMessageW(dialog, IDC_FIX_MINUTES, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 2u);  // the caret after the pasted text, as before the rewrite
        EXPECT_EQ(end, 2u);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(timerState.countdownFixSeconds, 45245u);
    EXPECT_EQ(WindowText(timerState.setButton), L"共12:34:05");
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "45245", "0"));
}

TEST(CountdownDialog, TypedFullWidthDigitsReachTheFieldAsAsciiAndAreStored) {
    const std::wstring path = FreshCountdown(L"typed-full-width");
    RunDialog(IDD_COUNTDOWN, CountdownDialogProc,
              {{1,
                [](HWND dialog) {
                    HWND minutes = GetDlgItem(dialog, IDC_FIX_MINUTES);
                    SetFocus(minutes);
                    SendMessageW(minutes, EM_SETSEL, 0, -1);
                    // As an input method in full-width mode types "９０": posted, through the
                    // dialog's own message loop.
                    PostMessageW(minutes, WM_CHAR, 0xFF19, 1);
                    PostMessageW(minutes, WM_CHAR, 0xFF10, 1);
                }},
               {50, [](HWND dialog) {
                    EXPECT_EQ(EditText(dialog, IDC_FIX_MINUTES), "90");
                    ClickButton(dialog, IDOK);
                }}});
    EXPECT_EQ(timerState.countdownFixSeconds, 5400u);
    EXPECT_EQ(ReadFileBytes(path), SettingsFile("0", "5400", "0"));
}

TEST(CountdownDialog, TheEditFontIsReleasedWhenTheDialogEnds) {
    FreshCountdown(L"font");
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int opening = 0; opening < 5; ++opening) {
        HFONT font = nullptr;
        RunCountdownDialog([&](HWND dialog) {
            font = reinterpret_cast<HFONT>(
                SendDlgItemMessageW(dialog, IDC_FIX_HOURS, WM_GETFONT, 0, 0));
            EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
            ClickButton(dialog, opening % 2 ? IDOK : IDCANCEL);
        });
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(GetObjectType(font), 0u) << "opening " << opening;
    }
    // Where the platform counts GDI objects, the count is back where it was.
    if (objectsBefore != 0) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
    }
}
