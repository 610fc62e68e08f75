// With 最上 on, the tick worker brings the main window to the top every 2267 ms, but not while a
// modal dialog has disabled it: raising it then would take the focus away from the dialog, and
// what the user types would be lost. Real worker, real clock, real keyboard input.
#include <gtest/gtest.h>

#include "config_file.h"
#include "countdown_dialog.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "test_support.h"

TEST(CountdownDialogWithWorker, TypingStillReachesTheDialogAfterSeveralKeeperIntervals) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    timerState.alwaysOnTop = true;
    timerState.configPath = TestFolder(L"dialog-keeper") + L"\\cfg.ini";
    DeleteFileW(timerState.configPath.c_str());
    SetForegroundWindow(timerState.mainWindow);
    PumpMessages();

    HANDLE worker = StartWorker();
    HWND focusAtOpening = nullptr;
    const INT_PTR result =
        RunDialog(IDD_COUNTDOWN, CountdownDialogProc,
                  {{1,
                    [&](HWND dialog) {
                        focusAtOpening = GetFocus();
                        EXPECT_EQ(focusAtOpening, GetDlgItem(dialog, IDC_KIND_FIXED));
                    }},
                   // Two keeper intervals and more, with the dialog's own loop running meanwhile.
                   {5200, [&](HWND dialog) {
                        EXPECT_EQ(GetForegroundWindow(), dialog);
                        EXPECT_EQ(GetFocus(), focusAtOpening);
                        EXPECT_TRUE(PressKey(VK_TAB));  // to the hours field, its text selected
                        EXPECT_TRUE(PressKey('7'));
                        EXPECT_TRUE(PressKey(VK_RETURN));
                    }}});
    StopWorker(worker);

    EXPECT_EQ(result, IDOK);
    // Tab selected the hours field's text: 7 replaced the 0.
    EXPECT_EQ(timerState.countdownFixSeconds, 7u * 3600 + 5 * 60);
    EXPECT_EQ(WindowText(timerState.setButton), L"共07:05:00");
}
