// The settings dialog confirmed where cfg.ini cannot be written: the file is read-only, the
// folder it would go in is a file, or cfg.ini is a folder. The new values apply until the program
// ends, nothing crashes, and no half-written file is left: what was there stays as it was. The
// user is told, once the dialog has closed; a save that works shows nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_captions.h"
#include "countdown_dialog.h"
#include "dialog_driver.h"
#include "modal_watch.h"
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

// 设定 through the main window's command, confirmed with OK, with cfg.ini at `path`; then what
// followed the dialog: at most one warning is expected, a second window would be a fault.
std::vector<ModalSeen> ConfirmThroughTheCommandAt(const std::wstring& path) {
    ResetTimerState();
    timerState.mode = TimerMode::Countdown;
    timerState.configPath = path;
    return AnswerModals(IDC_SET_BUTTON,
                        {{L"倒计时设定", IDOK}, {L"倒计时设定", IDOK}, {L"倒计时设定", IDOK}});
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

TEST(UnwritableSettings, OkWarnsOnceAfterTheDialogHasClosedAndAWorkingSaveShowsNothing) {
    const std::wstring blocked = Folder(L"warned") + L"\\cfg.ini";
    CreateDirectoryW(blocked.c_str(), nullptr);
    std::vector<ModalSeen> seen = ConfirmThroughTheCommandAt(blocked);
    ASSERT_TRUE(seen[0].appeared && seen[0].closed) << "the settings dialog";
    ASSERT_TRUE(seen[1].appeared) << "no warning after an OK that could not save";
    EXPECT_EQ(seen[1].text, L"设置无法保存到 cfg.ini\uFF0C新的设置仅在本次运行中有效\u3002");
    EXPECT_EQ(seen[1].owner, timerState.mainWindow);
    EXPECT_EQ(seen[1].icon, LoadIconW(nullptr, IDI_WARNING));
    EXPECT_EQ(seen[1].buttons, 1);
    EXPECT_TRUE(seen[1].closed);
    EXPECT_FALSE(seen[2].appeared) << "more than one warning";
    EXPECT_EQ(WindowText(timerState.setButton), L"共00:05:00");

    const std::wstring writable = Folder(L"saved") + L"\\cfg.ini";
    DeleteFileW(writable.c_str());
    seen = ConfirmThroughTheCommandAt(writable);
    ASSERT_TRUE(seen[0].appeared && seen[0].closed) << "the settings dialog";
    EXPECT_FALSE(seen[1].appeared) << "a warning after a save that worked";
    EXPECT_EQ(ReadFileBytes(writable),
              "[CFG]\r\ntimeout_continue=0\r\ncountdown_fix_second=300\r\ncountdown_to_time=0\r\n");
}
