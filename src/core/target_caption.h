// The caption of the countdown-target button: 到 or 共 followed by HH:MM:SS.
#pragma once

#include <cstddef>
#include <cstdint>

#include "timer_types.h"

constexpr size_t kTargetCaptionSize = 200;

// The caption as a byte string in GBK (code page 936): 到 = B5 BD for an until-time target,
// 共 = B9 B2 for a fixed length, then the value split into hours (not wrapped), minutes, seconds.
void FormatTargetCaptionGbk(char (&caption)[kTargetCaptionSize], CountdownKind kind,
                            uint32_t seconds);

// The same caption's time part alone ("00:05:00"), and its leading character as UTF-16.
void FormatTargetCaptionTime(char (&text)[kTargetCaptionSize], uint32_t seconds);
char16_t TargetCaptionCharacter(CountdownKind kind);
