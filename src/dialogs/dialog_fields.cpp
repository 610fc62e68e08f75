#include "dialog_fields.h"

#include <limits>

std::string FieldText(uint32_t value) {
    return std::to_string(value);
}

namespace {

// The blanks the C library skips, spelled out: isspace on a GBK lead byte (a negative char)
// would be undefined.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t ReadFieldNumber(const char* text) {
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    // Accumulated as a magnitude up to 2^31, the magnitude of the most negative int32_t; further
    // digits leave it there.
    constexpr uint32_t limit = uint32_t{std::numeric_limits<int32_t>::max()} + 1;
    uint32_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const uint32_t digit = static_cast<uint32_t>(*text - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == limit ? std::numeric_limits<int32_t>::min()
                                  : -static_cast<int32_t>(magnitude);
    return magnitude >= limit ? std::numeric_limits<int32_t>::max()
                              : static_cast<int32_t>(magnitude);
}

int64_t FieldsTotal(int32_t hours, int32_t minutes, int32_t seconds) {
    return int64_t{hours} * 3600 + int64_t{minutes} * 60 + seconds;
}

uint32_t StorableSeconds(int64_t total, uint32_t maximum) {
    if (total < 0) return 0;
    if (total > int64_t{maximum}) return maximum;
    return static_cast<uint32_t>(total);
}

uint32_t RowSeconds(const char* hours, const char* minutes, const char* seconds, uint32_t maximum) {
    return StorableSeconds(
        FieldsTotal(ReadFieldNumber(hours), ReadFieldNumber(minutes), ReadFieldNumber(seconds)),
        maximum);
}

uint32_t FoldFullWidthDigit(uint32_t character) {
    return character >= 0xFF10 && character <= 0xFF19 ? '0' + (character - 0xFF10) : character;
}

bool FoldFullWidthDigits(wchar_t* text) {
    bool changed = false;
    for (; *text; ++text) {
        const uint32_t folded = FoldFullWidthDigit(static_cast<uint32_t>(*text));
        if (folded == static_cast<uint32_t>(*text)) continue;
        *text = static_cast<wchar_t>(folded);
        changed = true;
    }
    return changed;
}
