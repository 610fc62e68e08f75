#include "dialog_fields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "config_rules.h"

namespace {

uint32_t Fixed(const char* hours, const char* minutes, const char* seconds) {
    return RowSeconds(hours, minutes, seconds, kMaxFixSeconds);
}

uint32_t Until(const char* hours, const char* minutes, const char* seconds) {
    return RowSeconds(hours, minutes, seconds, kMaxToTime);
}

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

}  // namespace

TEST(DialogFields, TypedFieldsAddTheirFullValues) {
    EXPECT_EQ(Fixed("0", "99", "99"), 6039u);
    EXPECT_EQ(Fixed("99", "99", "99"), 362439u);
    EXPECT_EQ(Until("19", "30", "0"), 70200u);
    EXPECT_EQ(Until("23", "99", "0"), 88740u);  // past midnight, stored as entered
    EXPECT_EQ(Until("99", "99", "99"), 362439u);
    EXPECT_EQ(Fixed("0", "0", "0"), 0u);
    EXPECT_EQ(Fixed("", "", ""), 0u);  // empty fields count as 0
}

TEST(DialogFields, StoredValuesSplitIntoTheFieldsTheyCameFrom) {
    for (uint32_t value : {0u, 300u, 3600u, 6039u, 70200u, 88740u, 362439u, 4294967u}) {
        SCOPED_TRACE(value);
        const TimeFields fields = SplitSeconds(value);
        EXPECT_EQ(Fixed(FieldText(fields.hours).c_str(), FieldText(fields.minutes).c_str(),
                        FieldText(fields.seconds).c_str()),
                  value);
    }
    const TimeFields five = SplitSeconds(300);
    EXPECT_EQ(FieldText(five.hours), "0");
    EXPECT_EQ(FieldText(five.minutes), "5");  // no leading zero
    EXPECT_EQ(FieldText(five.seconds), "0");
    const TimeFields many = SplitSeconds(4294967);  // hours are not wrapped to two digits
    EXPECT_EQ(FieldText(many.hours), "1193");
    EXPECT_EQ(many.minutes, 2u);
    EXPECT_EQ(many.seconds, 47u);
}

TEST(DialogFields, TextIsReadAsTheNumberItBeginsWith) {
    EXPECT_EQ(ReadFieldNumber("42"), 42);
    EXPECT_EQ(ReadFieldNumber("007"), 7);
    EXPECT_EQ(ReadFieldNumber("  \t\r\n\v\f12"), 12);
    EXPECT_EQ(ReadFieldNumber("+5"), 5);
    EXPECT_EQ(ReadFieldNumber("-5"), -5);
    EXPECT_EQ(ReadFieldNumber("12ab"), 12);
    EXPECT_EQ(ReadFieldNumber("1 2"), 1);
    EXPECT_EQ(ReadFieldNumber("ab12"), 0);
    EXPECT_EQ(ReadFieldNumber(""), 0);
    EXPECT_EQ(ReadFieldNumber("-"), 0);
    EXPECT_EQ(ReadFieldNumber("+-3"), 0);
    EXPECT_EQ(ReadFieldNumber("- 3"), 0);
    EXPECT_EQ(ReadFieldNumber("\xB9\xB2"
                              "12"),
              0);                                   // GBK text before the digits
    EXPECT_EQ(ReadFieldNumber("\xEF\xBC\x91"), 0);  // a full-width digit is not a digit
}

TEST(DialogFields, LongDigitRunsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(ReadFieldNumber("2147483647"), kInt32Max);
    EXPECT_EQ(ReadFieldNumber("2147483648"), kInt32Max);
    EXPECT_EQ(ReadFieldNumber("99999999999999999999999999"), kInt32Max);
    EXPECT_EQ(ReadFieldNumber("-2147483648"), kInt32Min);
    EXPECT_EQ(ReadFieldNumber("-2147483649"), kInt32Min);
    EXPECT_EQ(ReadFieldNumber("-99999999999999999999999999"), kInt32Min);
    EXPECT_EQ(ReadFieldNumber(std::string(199, '9').c_str()), kInt32Max);
    EXPECT_EQ(FieldsTotal(kInt32Max, kInt32Max, kInt32Max), int64_t{kInt32Max} * 3661);
    EXPECT_EQ(FieldsTotal(kInt32Min, kInt32Min, kInt32Min), int64_t{kInt32Min} * 3661);
}

TEST(DialogFields, TotalsOutsideWhatLoadingAcceptsAreClampedToIt) {
    EXPECT_EQ(StorableSeconds(0, kMaxToTime), 0u);
    EXPECT_EQ(StorableSeconds(362439, kMaxToTime), 362439u);
    EXPECT_EQ(StorableSeconds(362440, kMaxToTime), kMaxToTime);
    EXPECT_EQ(StorableSeconds(4294967, kMaxFixSeconds), 4294967u);
    EXPECT_EQ(StorableSeconds(4294968, kMaxFixSeconds), kMaxFixSeconds);
    EXPECT_EQ(StorableSeconds(-1, kMaxFixSeconds), 0u);
    EXPECT_EQ(StorableSeconds(int64_t{1} << 40, kMaxFixSeconds), kMaxFixSeconds);
    EXPECT_EQ(StorableSeconds(-(int64_t{1} << 40), kMaxFixSeconds), 0u);

    // A stored maximum shows as four-digit hours and reads back unchanged.
    EXPECT_EQ(Fixed("1193", "2", "47"), kMaxFixSeconds);
    EXPECT_EQ(Fixed("1193", "2", "48"), kMaxFixSeconds);
    EXPECT_EQ(Fixed("100", "0", "0"), 360000u);
    EXPECT_EQ(Until("100", "40", "40"), kMaxToTime);
    EXPECT_EQ(Until("-1", "0", "0"), 0u);
    EXPECT_EQ(Fixed("1", "-5", "0"), 3300u);  // a sign counts, the total stays in range
    EXPECT_EQ(Fixed("99999999999", "0", "0"), kMaxFixSeconds);
    EXPECT_EQ(Fixed("-99999999999", "99999999999", "0"), 0u);

    // Whatever the fields hold, loading takes the stored value back unchanged, and its text is a
    // plain non-negative decimal.
    for (const char* text : {"-2147483648", "2147483647", "-1", "4294967", "4294968"}) {
        SCOPED_TRACE(text);
        const uint32_t fix = Fixed(text, text, text);
        const uint32_t until = Until(text, text, text);
        EXPECT_EQ(AcceptFixSeconds(fix), fix);
        EXPECT_EQ(AcceptToTime(until), until);
        EXPECT_EQ(ConfigValueText(fix).find('-'), std::string::npos);
        EXPECT_LE(ConfigValueText(fix).size(), 7u);
    }
}

TEST(DialogFields, FullWidthDigitsFoldToAsciiAndNothingElseChanges) {
    struct Case {
        const wchar_t* text;
        const wchar_t* folded;
        bool changed;
    };
    const Case cases[] = {
        {L"\uFF11\uFF12", L"12", true},
        {L"\uFF10\uFF19", L"09", true},             // both ends of the range
        {L"3\uFF14", L"34", true},                  // mixed with ASCII
        {L"\uFF0F\uFF1A", L"\uFF0F\uFF1A", false},  // the neighbours of the range stay
        {L"\uFF0D\uFF15", L"\uFF0D5", true},        // a full-width minus stays a non-digit
        {L"12", L"12", false},
        {L"", L"", false},
    };
    for (const Case& c : cases) {
        std::wstring text = c.text;
        EXPECT_EQ(FoldFullWidthDigits(&text[0]), c.changed) << c.folded;
        EXPECT_EQ(text, c.folded);
    }
}

TEST(DialogFields, ATypedCharacterFoldsOnlyWhenItIsAFullWidthDigit) {
    const uint32_t cases[][2] = {
        {0xFF19, '9'},    {0xFF10, '0'},       // typed "９０"
        {0xFF0F, 0xFF0F}, {0xFF1A, 0xFF1A},    // the range's neighbours
        {'5', '5'},       {0x1FF19, 0x1FF19},  // a value wider than 16 bits is not cut down first
    };
    for (const auto& c : cases) EXPECT_EQ(FoldFullWidthDigit(c[0]), c[1]) << c[0];
}
