// The settings dialog's field arithmetic: a stored number of seconds shown as three fields, and
// three field texts read back into seconds. No <windows.h>: the host tests compile this too.
#pragma once

#include <cstdint>
#include <string>

#include "readout.h"

// A field's text as the dialog sets it: decimal, no leading zeros ("5", not "05").
std::string FieldText(uint32_t value);

// Reads a field's text the way the C library's decimal conversion does (leading blanks, an
// optional sign, then digits; text without digits gives 0), but saturates at the limits of
// int32_t instead of overflowing. Pasted text and a stored length of many hours can both put
// more digits there than the two the edit lets the user type.
int32_t ReadFieldNumber(const char* text);

// hours × 3600 + minutes × 60 + seconds, wide enough that no field value can overflow it.
int64_t FieldsTotal(int32_t hours, int32_t minutes, int32_t seconds);

// What OK stores for a total: the total itself when loading would accept it, else the nearest
// value it accepts. Negative totals (a pasted sign) become 0, and totals above `maximum` become
// `maximum`, so the stored value never wraps the 32-bit millisecond arithmetic of the timing and
// is never written to the settings file as a negative or huge unsigned number. Clamping rather
// than keeping the old value means OK always does what the fields nearly say, and the new
// caption shows the user what was stored.
uint32_t StorableSeconds(int64_t total, uint32_t maximum);

// The three texts of one row read into the seconds OK stores, with the row's maximum.
uint32_t RowSeconds(const char* hours, const char* minutes, const char* seconds, uint32_t maximum);

// One character as a time field takes it: a full-width digit U+FF10 to U+FF19 becomes the ASCII
// digit it stands for, anything else stays. Wide enough for any character a message carries.
uint32_t FoldFullWidthDigit(uint32_t character);

// Rewrites the full-width digits U+FF10 to U+FF19 (a Chinese input method in full-width mode, or
// a paste) as the ASCII digits they stand for, in place, one character for one, so a caret
// position stays valid. Other characters are left as they are. Returns whether anything changed.
bool FoldFullWidthDigits(wchar_t* text);
