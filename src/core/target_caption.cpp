#include "target_caption.h"

#include <cstdio>
#include <cstring>

#include "readout.h"

void FormatTargetCaptionTime(char (&text)[kTargetCaptionSize], uint32_t seconds) {
    const TimeFields fields = SplitSeconds(seconds);
    memset(text, 0, sizeof text);
    snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(fields.hours),
             static_cast<int>(fields.minutes), static_cast<int>(fields.seconds));
}

void FormatTargetCaptionGbk(char (&caption)[kTargetCaptionSize], CountdownKind kind,
                            uint32_t seconds) {
    char time[kTargetCaptionSize];
    FormatTargetCaptionTime(time, seconds);
    memset(caption, 0, sizeof caption);
    const bool until = kind == CountdownKind::UntilTime;
    caption[0] = static_cast<char>(until ? 0xB5 : 0xB9);
    caption[1] = static_cast<char>(until ? 0xBD : 0xB2);
    memcpy(caption + 2, time, strlen(time) + 1);
}

char16_t TargetCaptionCharacter(CountdownKind kind) {
    return kind == CountdownKind::UntilTime ? u'\u5230' : u'\u5171';  // 到, 共
}
