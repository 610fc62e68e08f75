// The faces the program draws its text in, and the one way it makes a font of them.
#pragma once

#include <windows.h>

// The LCD face embedded in the executable (res/), installed for this process at start-up: the
// readout and the settings dialog's digits.
constexpr wchar_t kLcdFace[] = L"DEDOziv2";
// The controls' captions.
constexpr wchar_t kControlFace[] = L"微软雅黑";

// A font of `face` at `height` pixels (cell height), normal weight. The caller deletes it.
HFONT CreateFaceFont(int height, const wchar_t* face);
