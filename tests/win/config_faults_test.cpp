// Settings files that are not what the program writes: a folder in the file's place, binary
// garbage, a 10 MB file, repeated sections and keys. Loading never hangs or fails; the values
// that can be read are read, the rest take their defaults; a later save leaves a file the next
// start reads back, keeping what else the file held.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "config_file.h"
#include "test_support.h"

namespace {

std::wstring FaultFolder(const std::wstring& name) {
    return TestFolder(L"config-fault-" + name);
}

struct Settings {
    uint32_t fixSeconds;
    uint32_t toTime;
    bool timeoutContinue;
};

// Loads from `path` and returns what was loaded and how long it took.
Settings Load(const std::wstring& path, ULONGLONG* tookMs) {
    timerState.configPath = path;
    timerState.countdownFixSeconds = 1;
    timerState.countdownToTime = 1;
    timerState.timeoutContinue = true;
    const ULONGLONG start = GetTickCount64();
    LoadConfiguration();
    if (tookMs) *tookMs = GetTickCount64() - start;
    return {timerState.countdownFixSeconds, timerState.countdownToTime, timerState.timeoutContinue};
}

// Saves 4321 s, 70200 and overtime on, then reloads; the values must survive.
void SaveAndReadBack(const std::wstring& path) {
    timerState.configPath = path;
    timerState.countdownFixSeconds = 4321;
    timerState.countdownToTime = 70200;
    timerState.timeoutContinue = true;
    const ULONGLONG start = GetTickCount64();
    SaveConfiguration();
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_LT(took, 10000u);
    // The values in memory stay in force whatever the write did.
    EXPECT_EQ(timerState.countdownFixSeconds, 4321u);
    const Settings loaded = Load(path, nullptr);
    EXPECT_EQ(loaded.fixSeconds, 4321u);
    EXPECT_EQ(loaded.toTime, 70200u);
    EXPECT_TRUE(loaded.timeoutContinue);
    printf("  saved in %llu ms\n", static_cast<unsigned long long>(took));
}

}  // namespace

TEST(ConfigFaults, AFolderNamedCfgIniReadsAsDefaultsAndASaveChangesNothing) {
    const std::wstring folder = FaultFolder(L"folder");
    const std::wstring path = folder + L"\\cfg.ini";
    CreateDirectoryW(path.c_str(), nullptr);
    ASSERT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ULONGLONG took = 0;
    const Settings loaded = Load(path, &took);
    EXPECT_EQ(loaded.fixSeconds, 300u);
    EXPECT_EQ(loaded.toTime, 0u);
    EXPECT_FALSE(loaded.timeoutContinue);
    EXPECT_LT(took, 2000u);

    timerState.countdownFixSeconds = 4321;
    timerState.timeoutContinue = true;
    EXPECT_FALSE(SaveConfiguration()) << "a failed write reported as saved";
    // The values stay in memory.
    EXPECT_EQ(timerState.countdownFixSeconds, 4321u);
    EXPECT_TRUE(timerState.timeoutContinue);
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryW(path.c_str());
}

TEST(ConfigFaults, BinaryGarbageReadsAsDefaultsAndASaveMakesItReadable) {
    const std::wstring path = FaultFolder(L"garbage") + L"\\cfg.ini";
    std::mt19937 random(7);
    std::string garbage(65536, '\0');
    for (char& byte : garbage) byte = static_cast<char>(random());
    WriteFileBytes(path, garbage);
    ULONGLONG took = 0;
    const Settings loaded = Load(path, &took);
    printf("64 KB of random bytes loaded in %llu ms\n", static_cast<unsigned long long>(took));
    EXPECT_EQ(loaded.fixSeconds, 300u);
    EXPECT_EQ(loaded.toTime, 0u);
    EXPECT_FALSE(loaded.timeoutContinue);
    EXPECT_LT(took, 2000u);
    SaveAndReadBack(path);
}

TEST(ConfigFaults, ATenMegabyteFileLoadsAndSavesInBoundedTime) {
    const std::wstring path = FaultFolder(L"large") + L"\\cfg.ini";
    std::string big;
    big.reserve(10 * 1024 * 1024 + 200);
    for (int line = 0; big.size() < 10 * 1024 * 1024; ++line)
        big += "[S" + std::to_string(line % 1000) + "]\r\nkey" + std::to_string(line) +
               "=some value that fills the file to ten megabytes\r\n";
    big +=
        "[CFG]\r\ncountdown_fix_second=3725\r\ncountdown_to_time=88740\r\ntimeout_continue=1\r\n";
    WriteFileBytes(path, big);
    ULONGLONG took = 0;
    const Settings loaded = Load(path, &took);
    printf("10 MB file loaded in %llu ms\n", static_cast<unsigned long long>(took));
    EXPECT_EQ(loaded.fixSeconds, 3725u);
    EXPECT_EQ(loaded.toTime, 88740u);
    EXPECT_TRUE(loaded.timeoutContinue);
    EXPECT_LT(took, 10000u);
    SaveAndReadBack(path);
    // The rest of the file is kept.
    const std::string after = ReadFileBytes(path);
    EXPECT_NE(after.find("key12345=some value"), std::string::npos);
    EXPECT_GT(after.size(), 10u * 1024 * 1024);
    DeleteFileW(path.c_str());
}

TEST(ConfigFaults, RepeatedSectionsAndKeysReadAsOneOfTheirValuesAndOtherSectionsAreKept) {
    const std::wstring path = FaultFolder(L"repeated") + L"\\cfg.ini";
    WriteFileBytes(path,
                   "[CFG]\r\ncountdown_fix_second=60\r\ncountdown_fix_second=120\r\n"
                   "[OTHER]\r\nkept=yes\r\n"
                   "[CFG]\r\ncountdown_to_time=3600\r\ncountdown_fix_second=240\r\n"
                   "timeout_continue=1\r\n[cfg]\r\ntimeout_continue=0\r\n");
    const Settings loaded = Load(path, nullptr);
    printf(
        "repeated keys read as countdown_fix_second=%u countdown_to_time=%u "
        "timeout_continue=%d\n",
        loaded.fixSeconds, loaded.toTime, loaded.timeoutContinue ? 1 : 0);
    EXPECT_TRUE(loaded.fixSeconds == 60 || loaded.fixSeconds == 120 || loaded.fixSeconds == 240)
        << loaded.fixSeconds;
    EXPECT_TRUE(loaded.toTime == 0 || loaded.toTime == 3600) << loaded.toTime;
    SaveAndReadBack(path);
    EXPECT_NE(ReadFileBytes(path).find("kept=yes"), std::string::npos);
}
