#include "readout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Ms(uint64_t value, bool showMilliseconds) {
    ReadoutBuffer buffer = {};
    EXPECT_GE(FormatMillisecondsReadout(buffer, value, showMilliseconds), 0);
    return buffer;
}

}  // namespace

TEST(Readout, SplitsMillisecondsIntoBothForms) {
    EXPECT_EQ(Ms(0, true), "00:00:00.000");
    EXPECT_EQ(Ms(0, false), "00:00:00    ");
    EXPECT_EQ(Ms(3723456, true), "01:02:03.456");
    EXPECT_EQ(Ms(3723456, false), "01:02:03    ");
    // Seconds are truncated, never rounded up.
    EXPECT_EQ(Ms(299999, false), "00:04:59    ");
    EXPECT_EQ(Ms(60000 * 60 - 1, true), "00:59:59.999");
}

TEST(Readout, HoursWidenPastOneHundredAndStayWithinTheBuffer) {
    EXPECT_EQ(Ms(360000000ull, true), "100:00:00.000");
    EXPECT_EQ(Ms(360000001ull, true), "100:00:00.001");
    // Nine hour digits fill the 19 characters exactly.
    const uint64_t nineDigitHours = 999999999ull * 3600000ull + 3599999ull;
    EXPECT_EQ(Ms(nineDigitHours, true), "999999999:59:59.999");
    ReadoutBuffer buffer;
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatMillisecondsReadout(buffer, 1000000000ull * 3600000ull, true), -1);
    EXPECT_STREQ(buffer, "");
}

TEST(Readout, BothFormsHaveTheSameWidth) {
    for (uint64_t value : {0ull, 59999ull, 3723456ull, 360000000ull, 3599999999ull}) {
        EXPECT_EQ(Ms(value, true).size(), Ms(value, false).size()) << value;
    }
    EXPECT_EQ(strlen(ZeroReadout(true)), strlen(ZeroReadout(false)));
    EXPECT_STREQ(ZeroReadout(true), "00:00:00.000");
    EXPECT_STREQ(ZeroReadout(false), "00:00:00    ");
}

TEST(Readout, ClockAndUntilTimeAndPresetForms) {
    ReadoutBuffer buffer = {};
    const WallTime now = {9, 7, 3, 42, 2};
    EXPECT_EQ(FormatClockReadout(buffer, now, false), 12);
    EXPECT_STREQ(buffer, "09:07:03    ");
    FormatClockReadout(buffer, now, true);
    EXPECT_STREQ(buffer, "09:07:03.042");

    FormatSigned32Readout(buffer, 86400000, true);
    EXPECT_STREQ(buffer, "24:00:00.000");
    FormatSigned32Readout(buffer, 1799999, false);
    EXPECT_STREQ(buffer, "00:29:59    ");

    FormatPresetReadout(buffer, 300, true);
    EXPECT_STREQ(buffer, "00:05:00.000");
    FormatPresetReadout(buffer, 362439, false);
    EXPECT_STREQ(buffer, "100:40:39    ");
}

TEST(Readout, FormatReadoutRejectsTextLongerThanNineteen) {
    ReadoutBuffer buffer = {};
    EXPECT_EQ(FormatReadout(buffer, "%s", "1234567890123456789"), 19);
    EXPECT_EQ(FormatReadout(buffer, "%s", "12345678901234567890"), -1);
    EXPECT_STREQ(buffer, "");
}

TEST(Readout, ReplacingTheStoredTextCutsToFitAndKeepsItOnAFailedFormat) {
    char store[16] = "00:00:00.000";
    ReplaceReadoutText(store, sizeof store, "12:34:56    ", 12);
    EXPECT_STREQ(store, "12:34:56    ");
    ReplaceReadoutText(store, sizeof store, "1234567:00:00.000", 17);
    EXPECT_STREQ(store, "1234567:00:00.0");  // 15 characters and the terminator
    ReplaceReadoutText(store, sizeof store, "", -1);
    EXPECT_STREQ(store, "1234567:00:00.0");
    ReplaceReadoutText(store, sizeof store, "01:02:03.456 and more", 12);
    EXPECT_STREQ(store, "01:02:03.456");
}

// What a screen reader and the taskbar follow: a new whole second or the other form, never the
// milliseconds alone.
TEST(Readout, SameShownSecondIgnoresOnlyTheMillisecondDigits) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"00:04:59.123", "00:04:59.999", true},
        {"00:04:59.999", "00:05:00.000", false},
        {"12:34:56    ", "12:34:56    ", true},
        {"12:34:56    ", "12:34:57    ", false},
        {"00:01:02    ", "00:01:02.345", false},  // the form changed
        {"99:59:59.999", "100:00:00.000", false},
        {"", "00:00:00    ", false},  // nothing noted yet
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameShownSecond(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(SameShownSecond(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}
