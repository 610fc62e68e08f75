// cfg.ini: found beside the executable from any folder, read with its defaults and range rules,
// written with its section and keys in their order.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "config_file.h"
#include "config_rules.h"
#include "test_support.h"

namespace {

std::wstring TempFolder(const std::wstring& name) {
    return TestFolder(L"config-" + name);
}

std::wstring ConfigIn(const std::wstring& folder) {
    return ConfigPathBeside(folder + L"\\zelvik-timer.exe");
}

struct Loaded {
    uint32_t fixSeconds;
    uint32_t toTime;
    bool timeoutContinue;
};

// Loads a file with the given content from a folder of its own (the profile functions cache by
// path).
Loaded LoadFrom(const std::wstring& name, const std::string* content) {
    const std::wstring path = ConfigIn(TempFolder(name));
    DeleteFileW(path.c_str());
    if (content) WriteFileBytes(path, *content);
    timerState.configPath = path;
    timerState.timeoutContinue = true;
    LoadConfiguration();
    return {timerState.countdownFixSeconds, timerState.countdownToTime, timerState.timeoutContinue};
}

Loaded LoadText(const std::wstring& name, const std::string& content) {
    return LoadFrom(name, &content);
}

}  // namespace

TEST(ConfigFile, AMissingFileGivesTheDefaults) {
    const Loaded loaded = LoadFrom(L"missing", nullptr);
    EXPECT_EQ(loaded.fixSeconds, 300u);
    EXPECT_EQ(loaded.toTime, 0u);
    EXPECT_FALSE(loaded.timeoutContinue);
}

TEST(ConfigFile, StoredValuesAndTheOvertimeFlag) {
    Loaded loaded = LoadText(L"one",
                             "[CFG]\r\ntimeout_continue=1\r\ncountdown_fix_second=3600\r\n"
                             "countdown_to_time=70200\r\n");
    EXPECT_TRUE(loaded.timeoutContinue);
    EXPECT_EQ(loaded.fixSeconds, 3600u);
    EXPECT_EQ(loaded.toTime, 70200u);
    loaded = LoadText(L"two", "[CFG]\r\ntimeout_continue=2\r\ncountdown_fix_second=3725\r\n");
    EXPECT_FALSE(loaded.timeoutContinue);
    EXPECT_EQ(loaded.fixSeconds, 3725u);
    EXPECT_EQ(loaded.toTime, 0u);
    // The largest values the settings dialog can write load unchanged.
    loaded = LoadText(L"dialog-max",
                      "[CFG]\r\ncountdown_fix_second=362439\r\n"
                      "countdown_to_time=362439\r\n");
    EXPECT_EQ(loaded.fixSeconds, 362439u);
    EXPECT_EQ(loaded.toTime, 362439u);
    // Another section does not count.
    loaded = LoadText(L"other-section", "[OTHER]\r\ncountdown_fix_second=60\r\n");
    EXPECT_EQ(loaded.fixSeconds, 300u);
}

TEST(ConfigFile, ValuesThatWouldWrapAreRejectedAndJunkReadsAsThePlatformReadsIt) {
    Loaded loaded = LoadText(L"too-large",
                             "[CFG]\r\ncountdown_fix_second=4294968\r\n"
                             "countdown_to_time=362440\r\ntimeout_continue=-1\r\n");
    EXPECT_EQ(loaded.fixSeconds, 300u);
    EXPECT_EQ(loaded.toTime, 0u);
    EXPECT_FALSE(loaded.timeoutContinue);
    loaded = LoadText(L"negative", "[CFG]\r\ncountdown_fix_second=-5\r\ncountdown_to_time=-1\r\n");
    EXPECT_EQ(loaded.fixSeconds, 300u);
    EXPECT_EQ(loaded.toTime, 0u);
    loaded = LoadText(L"junk",
                      "[CFG]\r\ncountdown_fix_second=abc\r\ncountdown_to_time=\r\n"
                      "timeout_continue=yes\r\n");
    EXPECT_EQ(loaded.fixSeconds, 0u);
    EXPECT_EQ(loaded.toTime, 0u);
    EXPECT_FALSE(loaded.timeoutContinue);
    loaded = LoadText(L"trailing",
                      "[CFG]\r\ncountdown_fix_second=90s\r\n"
                      "countdown_to_time=99999999999\r\n");
    EXPECT_EQ(loaded.fixSeconds, 90u);
    EXPECT_LE(loaded.toTime, kMaxToTime);
}

TEST(ConfigFile, WritingCreatesTheSectionAndTheKeysInOrder) {
    const std::wstring path = ConfigIn(TempFolder(L"write"));
    DeleteFileW(path.c_str());
    timerState.configPath = path;
    timerState.timeoutContinue = false;
    timerState.countdownFixSeconds = 300;
    timerState.countdownToTime = 0;
    EXPECT_TRUE(SaveConfiguration());
    EXPECT_EQ(ReadFileBytes(path),
              "[CFG]\r\ntimeout_continue=0\r\ncountdown_fix_second=300\r\ncountdown_to_time=0\r\n");

    timerState.timeoutContinue = true;
    timerState.countdownFixSeconds = 6039;
    timerState.countdownToTime = 70200;
    SaveConfiguration();
    EXPECT_EQ(ReadFileBytes(path),
              "[CFG]\r\ntimeout_continue=1\r\ncountdown_fix_second=6039\r\n"
              "countdown_to_time=70200\r\n");
    const Loaded loaded = LoadFrom(L"write", nullptr);  // deleted again: defaults
    EXPECT_EQ(loaded.fixSeconds, 300u);
}

TEST(ConfigFile, TheFileBesideTheExecutableWhateverTheCurrentFolder) {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected = module;
    expected = expected.substr(0, expected.rfind(L'\\')) + L"\\cfg.ini";
    const std::wstring before = ModuleConfigPath();
    EXPECT_EQ(before, expected);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(TempFolder(L"elsewhere").c_str());
    EXPECT_EQ(ModuleConfigPath(), expected);
    SetCurrentDirectoryW(previous);
}

TEST(ConfigFile, FoldersWithNamesOutsideTheAnsiCodePageAndLongPaths) {
    // Hangul has no GBK code: the path must travel as UTF-16.
    const std::wstring chinese = TempFolder(L"计时器-한글");
    const std::wstring path = ConfigIn(chinese);
    DeleteFileW(path.c_str());
    timerState.configPath = path;
    timerState.timeoutContinue = true;
    timerState.countdownFixSeconds = 3725;
    timerState.countdownToTime = 88740;
    SaveConfiguration();
    EXPECT_EQ(GetFileAttributesW((chinese + L"\\cfg.ini").c_str()) != INVALID_FILE_ATTRIBUTES,
              true);
    timerState.countdownFixSeconds = 1;
    LoadConfiguration();
    EXPECT_EQ(timerState.countdownFixSeconds, 3725u);
    EXPECT_EQ(timerState.countdownToTime, 88740u);
    EXPECT_TRUE(timerState.timeoutContinue);

    // A folder deeper than MAX_PATH.
    std::wstring deep = L"\\\\?\\" + TempFolder(L"long");
    for (int level = 0; level < 3; ++level) {
        deep += L"\\" + std::wstring(100, static_cast<wchar_t>(L'a' + level));
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    std::wstring plain = deep.substr(4) + L"\\zelvik-timer.exe";
    ASSERT_GT(plain.size(), 300u);
    timerState.configPath = ConfigPathForModule(plain);
    timerState.countdownFixSeconds = 4242;
    SaveConfiguration();
    EXPECT_NE(ReadFileBytes(deep + L"\\cfg.ini").find("countdown_fix_second=4242\r\n"),
              std::string::npos);
    timerState.countdownFixSeconds = 1;
    LoadConfiguration();
    EXPECT_EQ(timerState.countdownFixSeconds, 4242u);
}
