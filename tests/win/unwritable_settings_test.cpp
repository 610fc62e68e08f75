// The settings dialog confirmed where cfg.ini cannot be written: the file is read-only, the
// folder it would go in is a file, or cfg.ini is a folder. The new values apply until the program
// ends, nothing crashes, and no half-written file is left: what was there stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "countdown_dialog.h"
#include "create_window.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "test_support.h"

namespace {

std::wstring Folder(const std::wstring& name) {
    return TestFolder(L"unwritable-" + name);
}

// Confirms the dialog with 1 h 2 min 5 s and overtime counting on, at `path`.
void ConfirmNewSettingsAt(const std::wstring& path) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    timerState.countdownKind = CountdownKind::FixedDuration;
    timerState.configPath = path;
    timerState.countdownFixSeconds = 300;
    timerState.timeoutContinue = false;
    RefreshTargetCaption();
    RunDialog(IDD_COUNTDOWN, CountdownDialogProc, [](HWND dialog) {
        SetFieldText(dialog, IDC_FIX_HOURS, "1");
        SetFieldText(dialog, IDC_FIX_MINUTES, "2");
        SetFieldText(dialog, IDC_FIX_SECONDS, "5");
        ClickButton(dialog, IDC_TIMEOUT_CONTINUE);
        ClickButton(dialog, IDOK);
    });
    PumpMessages();
    // In force until the program ends, whatever the write did.
    EXPECT_EQ(timerState.countdownFixSeconds, 3725u);
    EXPECT_TRUE(timerState.timeoutContinue);
    EXPECT_EQ(WindowText(timerState.setButton), L"共01:02:05");
    EXPECT_EQ(DisplayText(), "01:02:05    ");
    EXPECT_TRUE(IsWindow(timerState.mainWindow));
}

const std::string kOldSettings =
    "[CFG]\r\ntimeout_continue=0\r\ncountdown_fix_second=60\r\ncountdown_to_time=0\r\n";

}  // namespace

TEST(UnwritableSettings, AReadOnlyFileIsLeftWholeAndTheValuesApply) {
    const std::wstring path = Folder(L"read-only") + L"\\cfg.ini";
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileBytes(path, kOldSettings);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this system lets the read-only file be written (running as root)";
    }
    ConfirmNewSettingsAt(path);
    EXPECT_EQ(ReadFileBytes(path), kOldSettings);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(UnwritableSettings, AFolderThatCannotHoldTheFileChangesNothingOnDisk) {
    // A file where the executable's folder would be: no cfg.ini can be made inside it.
    const std::wstring notAFolder = Folder(L"blocked") + L"\\program";
    WriteFileBytes(notAFolder, "not a folder");
    ConfirmNewSettingsAt(notAFolder + L"\\cfg.ini");
    EXPECT_EQ(ReadFileBytes(notAFolder), "not a folder");

    // cfg.ini itself is a folder.
    const std::wstring folderFile = Folder(L"folder-file") + L"\\cfg.ini";
    CreateDirectoryW(folderFile.c_str(), nullptr);
    ConfirmNewSettingsAt(folderFile);
    EXPECT_TRUE(GetFileAttributesW(folderFile.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}
