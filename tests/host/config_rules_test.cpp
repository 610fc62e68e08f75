#include "config_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "target_caption.h"

TEST(ConfigValues, StoredValuesLoadUnchangedWithinRangeAndDefaultOutside) {
    EXPECT_EQ(AcceptFixSeconds(300), 300u);
    EXPECT_EQ(AcceptFixSeconds(0), 0u);
    EXPECT_EQ(AcceptFixSeconds(362439), 362439u);  // 99:99:99 from the dialog
    EXPECT_EQ(AcceptFixSeconds(4294967), 4294967u);
    EXPECT_EQ(AcceptFixSeconds(4294968), 300u);      // its milliseconds would wrap 32 bits
    EXPECT_EQ(AcceptFixSeconds(0xFFFFFFFFu), 300u);  // "-1" as the profile reader returns it
    EXPECT_EQ(AcceptToTime(70200), 70200u);
    EXPECT_EQ(AcceptToTime(88740), 88740u);
    EXPECT_EQ(AcceptToTime(362439), 362439u);
    EXPECT_EQ(AcceptToTime(362440), 0u);
    EXPECT_EQ(AcceptToTime(0xFFFFFFFBu), 0u);
}

TEST(ConfigValues, OnlyAStoredOneTurnsOvertimeCountingOn) {
    EXPECT_TRUE(AcceptTimeoutContinue(1));
    EXPECT_FALSE(AcceptTimeoutContinue(0));
    EXPECT_FALSE(AcceptTimeoutContinue(2));
    EXPECT_FALSE(AcceptTimeoutContinue(0xFFFFFFFFu));
    EXPECT_STREQ(TimeoutContinueText(true), "1");
    EXPECT_STREQ(TimeoutContinueText(false), "0");
    EXPECT_EQ(ConfigValueText(300), "300");
    EXPECT_EQ(ConfigValueText(0), "0");
    EXPECT_EQ(ConfigValueText(362439), "362439");
}

TEST(ConfigPath, ReplacesTheFileNameAfterTheLastBackslash) {
    EXPECT_EQ(ConfigPathBeside(std::string("C:\\Tools\\Timer\\zelvik-timer.exe")),
              "C:\\Tools\\Timer\\cfg.ini");
    EXPECT_EQ(ConfigPathBeside(std::string("C:\\zelvik-timer.exe")), "C:\\cfg.ini");
    // A folder name that contains a dot or ends like a file is still the folder.
    EXPECT_EQ(ConfigPathBeside(std::string("D:\\a.b\\x")), "D:\\a.b\\cfg.ini");
    // No backslash: the current folder explicitly, not the system folder.
    EXPECT_EQ(ConfigPathBeside(std::string("zelvik-timer.exe")), ".\\cfg.ini");
    EXPECT_EQ(ConfigPathBeside(std::string("")), ".\\cfg.ini");
    // Wide text (UTF-16), a folder outside any ANSI code page.
    EXPECT_EQ(ConfigPathBeside(std::u16string(u"C:\\计时器\\t.exe")), u"C:\\计时器\\cfg.ini");
}

TEST(ConfigPath, LongPathsGetTheLongPathPrefixAndAreNeverCut) {
    const std::string folder = "C:\\" + std::string(240, 'f');
    // 244 + 8 = 252 units: below the limit, left as it is.
    EXPECT_EQ(ConfigPathBeside(folder + "\\timer.exe"), folder + "\\cfg.ini");
    const std::string deep = "C:\\" + std::string(251, 'd');  // 254 + "\cfg.ini" = 262
    const std::string path = ConfigPathBeside(deep + "\\timer.exe");
    EXPECT_EQ(path, "\\\\?\\" + deep + "\\cfg.ini");
    EXPECT_EQ(ConfigPathBeside("\\\\server\\share\\" + std::string(260, 's') + "\\t.exe"),
              "\\\\?\\UNC\\server\\share\\" + std::string(260, 's') + "\\cfg.ini");
    // Already prefixed: kept.
    const std::string prefixed = "\\\\?\\" + deep + "\\t.exe";
    EXPECT_EQ(ConfigPathBeside(prefixed), "\\\\?\\" + deep + "\\cfg.ini");
}

TEST(ConfigPath, TheLongPathPrefixComesOffAgainForPlainPathFunctions) {
    EXPECT_EQ(WithoutLongPathPrefix(std::string("\\\\?\\C:\\PROGRA~1\\cfg.ini")),
              "C:\\PROGRA~1\\cfg.ini");
    // A network share keeps its two leading backslashes.
    EXPECT_EQ(WithoutLongPathPrefix(std::string("\\\\?\\UNC\\server\\share\\cfg.ini")),
              "\\\\server\\share\\cfg.ini");
    EXPECT_EQ(WithoutLongPathPrefix(std::string("C:\\cfg.ini")), "C:\\cfg.ini");
    // What ConfigPathBeside prefixes, this takes off again.
    const std::string share = "\\\\server\\share\\" + std::string(260, 's') + "\\cfg.ini";
    EXPECT_EQ(WithoutLongPathPrefix(ConfigPathBeside(share)), share);
}

namespace {

std::string Caption(CountdownKind kind, uint32_t seconds) {
    char caption[kTargetCaptionSize];
    FormatTargetCaptionGbk(caption, kind, seconds);
    return caption;
}

}  // namespace

TEST(TargetCaption, GbkCharacterThenTheTimeUnwrapped) {
    EXPECT_EQ(Caption(CountdownKind::FixedDuration, 300),
              "\xB9\xB2"
              "00:05:00");
    EXPECT_EQ(Caption(CountdownKind::FixedDuration, 3725),
              "\xB9\xB2"
              "01:02:05");
    EXPECT_EQ(Caption(CountdownKind::FixedDuration, 360000),
              "\xB9\xB2"
              "100:00:00");
    EXPECT_EQ(Caption(CountdownKind::UntilTime, 70200),
              "\xB5\xBD"
              "19:30:00");
    EXPECT_EQ(Caption(CountdownKind::UntilTime, 88740),
              "\xB5\xBD"
              "24:39:00");
    EXPECT_EQ(TargetCaptionCharacter(CountdownKind::UntilTime), u'到');
    EXPECT_EQ(TargetCaptionCharacter(CountdownKind::FixedDuration), u'共');
}
