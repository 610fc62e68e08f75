// The contact dialog (template 136): the image, closed by Enter, Esc or the close button.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ContactDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
