// The command dispatch, the always-on-top toggles, the dialogs and the guide, and hit-testing, on
// the real window.
#include <gtest/gtest.h>

#include "command_fixture.h"
#include "modal_watch.h"

TEST_F(Commands, StartResetAndTheirMenuEntriesRunTheTimer) {
    Command(IDC_START_BUTTON);
    EXPECT_EQ(timerState.runState, RunState::Running);
    EXPECT_EQ(WindowText(timerState.startButton), L"暂停");
    Command(IDM_START);
    EXPECT_EQ(timerState.runState, RunState::Paused);
    EXPECT_EQ(MenuText(IDM_START), L"继续");
    Command(IDC_RESET_BUTTON);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    Command(IDM_START);
    EXPECT_EQ(timerState.runState, RunState::Running);
    Command(IDM_RESET);
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(WindowText(timerState.startButton), L"开始");
}

TEST_F(Commands, ARadioButtonSwitchesOnlyWhenItReportsItselfChecked) {
    timerState.mode = TimerMode::Countdown;
    SendMessageW(timerState.stopwatchRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    Command(IDC_STOPWATCH_RADIO);
    EXPECT_EQ(timerState.mode, TimerMode::Countdown) << "an unchecked radio button switched";

    // A click checks the auto radio button, then sends the command.
    SendMessageW(timerState.stopwatchRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_TRUE(MenuChecked(IDM_STOPWATCH_MODE));

    // The radio button of the active mode switches to it again: its readout comes back.
    SetDisplayText("12:34:56    ", 12);
    SendMessageW(timerState.stopwatchRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(DisplayText(), "00:00:00    ");

    SendMessageW(timerState.countdownRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Countdown);
    EXPECT_EQ(DisplayText(), "00:05:00    ");
    SendMessageW(timerState.clockRadio, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(timerState.mode, TimerMode::Clock);
    EXPECT_TRUE(MenuChecked(IDM_CLOCK_MODE));
}

TEST_F(Commands, TheMenuModeEntriesSwitchWithoutATestAlsoToTheActiveMode) {
    SendMessageW(timerState.countdownRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    Command(IDM_COUNTDOWN_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Countdown);
    EXPECT_TRUE(Checked(timerState.countdownRadio));
    EXPECT_TRUE(MenuChecked(IDM_COUNTDOWN_MODE));
    EXPECT_TRUE(IsWindowVisible(timerState.setButton));
    SetDisplayText("12:34:56    ", 12);
    Command(IDM_COUNTDOWN_MODE);
    EXPECT_EQ(DisplayText(), "00:05:00    ");
    Command(IDM_STOPWATCH_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_TRUE(Checked(timerState.stopwatchRadio));
    Command(IDM_CLOCK_MODE);
    EXPECT_EQ(timerState.mode, TimerMode::Clock);
    EXPECT_TRUE(Checked(timerState.clockRadio));
    EXPECT_FALSE(IsWindowEnabled(timerState.startButton));
}

TEST_F(Commands, MillisecondsFromTheCheckBoxAndTheMenu) {
    SendMessageW(timerState.msCheck, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_TRUE(timerState.showMilliseconds);
    EXPECT_TRUE(Checked(timerState.msCheck));
    EXPECT_TRUE(MenuChecked(IDM_MILLISECONDS));
    EXPECT_EQ(DisplayText(), "00:00:00.000");
    Command(IDM_MILLISECONDS);
    EXPECT_FALSE(timerState.showMilliseconds);
    EXPECT_FALSE(Checked(timerState.msCheck));
    EXPECT_FALSE(MenuChecked(IDM_MILLISECONDS));
    EXPECT_EQ(DisplayText(), "00:00:00    ");
}

TEST_F(Commands, CompactFromTheMenuClipsTheWindowAndBack) {
    Command(IDM_COMPACT);
    EXPECT_TRUE(timerState.compactMode);
    EXPECT_TRUE(MenuChecked(IDM_COMPACT));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(TimerWindow(), region), ERROR) << "no strip region";
    Command(IDM_COMPACT);
    EXPECT_FALSE(timerState.compactMode);
    EXPECT_FALSE(MenuChecked(IDM_COMPACT));
    EXPECT_EQ(GetWindowRgn(TimerWindow(), region), ERROR) << "the region stayed";
    DeleteObject(region);
}

TEST_F(Commands, TheSettingsAndContactDialogsOpenModalOverTheWindow) {
    ModalSeen settings = AnswerModal(IDC_SET_BUTTON, L"倒计时设定", IDCANCEL);
    EXPECT_TRUE(settings.appeared);
    EXPECT_EQ(settings.owner, TimerWindow());
    EXPECT_FALSE(settings.ownerEnabled);
    EXPECT_TRUE(settings.closed);
    ModalSeen contact = AnswerModal(IDM_CONTACT, L"联系作者", IDCANCEL);
    EXPECT_TRUE(contact.appeared);
    EXPECT_EQ(contact.owner, TimerWindow());
    EXPECT_TRUE(contact.closed) << "the contact dialog did not close on Cancel";
    EXPECT_TRUE(IsWindowEnabled(TimerWindow()));
}

TEST_F(Commands, TheGuideShowsItsSixLinesExactly) {
    ModalSeen guide = AnswerModal(IDM_GUIDE, L"使用指南", IDOK);
    ASSERT_TRUE(guide.appeared);
    EXPECT_EQ(guide.owner, TimerWindow());
    const std::wstring expected =
        L"\u00B7 \u5012\u8BA1\u65F6\u53EF\u8BBE\u7F6E\u4E24\u79CD\u6A21\u5F0F\uFF1A\n"
        L"         \u5B9A\u65F6\u957F - \u5982\u5012\u8BA1\u65F65\u5206\u949F\n"
        L"         \u81F3\u7EDD\u5BF9\u65F6\u95F4 - "
        L"\u5982\u5012\u8BA1\u65F6\u81F319\u70B930\u5206\n"
        L"\u00B7 \u70B9\u51FB\u7A97\u53E3\u4EFB\u610F\u4F4D\u7F6E\u53EF\u62D6\u52A8\u7A97\u53E3\n"
        L"\u00B7 \u53CC\u51FB\u53EF\u8FDB\u5165\u6216\u9000\u51FA\u7CBE\u7B80\u663E\u793A\u6A21"
        L"\u5F0F\n"
        L"\u00B7 \u4E0A\u4E0B\u5DE6\u53F3\u952E\u53EF\u8FC5\u901F\u79FB\u52A8\u7A97\u53E3\u5230"
        L"\u5C4F\u5E55\u8FB9\u7F18\n";
    EXPECT_EQ(guide.text, expected);
    EXPECT_TRUE(guide.closed);
}

TEST_F(Commands, TheAcceleratorCommandAndUnknownIdsChangeNothing) {
    const std::string before = DisplayText();
    for (UINT id : {UINT{IDM_ABOUT}, UINT{10002}, UINT{32770}, UINT{32782}}) {
        EXPECT_EQ(Command(id), 0);
        PumpMessages();
        EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"#32770", nullptr), nullptr) << id;
    }
    EXPECT_EQ(timerState.runState, RunState::Idle);
    EXPECT_EQ(timerState.mode, TimerMode::Stopwatch);
    EXPECT_EQ(DisplayText(), before);
    EXPECT_TRUE(IsWindow(TimerWindow()));
}

TEST_F(Commands, AlwaysOnTopFromTheCheckBoxAndTheMenuKeepBandCheckAndMarkInLine) {
    ExpectTopInLine(true);
    SendMessageW(timerState.topCheck, BM_CLICK, 0, 0);  // the auto check box flips itself first
    PumpMessages();
    ExpectTopInLine(false);
    Command(IDM_ALWAYS_ON_TOP);
    ExpectTopInLine(true);
    Command(IDM_ALWAYS_ON_TOP);
    ExpectTopInLine(false);
    SendMessageW(timerState.topCheck, BM_CLICK, 0, 0);
    PumpMessages();
    ExpectTopInLine(true);
}

TEST_F(Commands, TheBackgroundAnswersAsCaptionTheControlsAndFrameAsThemselves) {
    HWND window = TimerWindow();
    auto hitAt = [&](HWND target, int clientX, int clientY) {
        POINT point = {clientX, clientY};
        ClientToScreen(window, &point);
        return SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    };
    EXPECT_EQ(hitAt(window, 300, 100), HTCAPTION);  // beside the reset button
    EXPECT_EQ(hitAt(window, 190, 50), HTCAPTION);   // the readout
    // The mouse goes to the control under it, which answers as a client area.
    POINT onReset = {150, 100};
    ClientToScreen(window, &onReset);
    EXPECT_EQ(WindowFromPoint(onReset), timerState.resetButton);
    EXPECT_EQ(hitAt(timerState.resetButton, 150, 100), HTCLIENT);
    // The caption's close button keeps its own code.
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const LRESULT close =
        SendMessageW(window, WM_NCHITTEST, 0,
                     MAKELPARAM(frame.right - 12, frame.top + (origin.y - frame.top) / 2));
    EXPECT_EQ(close, HTCLOSE);
}
