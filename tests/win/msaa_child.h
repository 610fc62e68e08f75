// A child id as MSAA takes it, for the in-process accessibility test and the probe, which reads
// the timer from another process as a screen reader does.
#pragma once

#include <windows.h>

inline VARIANT MsaaChild(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}
