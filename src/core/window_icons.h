// The program's two icons at the sizes Windows shows them. LoadIconW would give only the 32-pixel
// (SM_CXICON) picture, which Windows then shrinks for the caption and the taskbar's small icon;
// loaded at each size, the icons' own 16-, 20- and 24-pixel pictures are the ones shown.
#pragma once

#include <windows.h>

// The window class's large (SM_CXICON) and small (SM_CXSMICON) icons, at the system's scale.
void LoadClassIcons(HINSTANCE instance, WNDCLASSEXW& windowClass);

// The window's own large and small icons at `dpi`, set at start-up and again when the window
// moves to a display of another scale; each icon they replace is destroyed. Nothing where the
// system cannot give the icon sizes at a DPI: the class's icons are at its one scale there.
void SetWindowIcons(HWND window, int dpi);
