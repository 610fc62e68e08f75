#include "contact_dialog.h"

#include "display_dpi.h"
#include "display_scale.h"
#include "resource_ids.h"
#include "timer_state.h"

namespace {

// The static loads the 200 x 200 picture from the template by itself. At another scale it shows
// a copy stretched to the dialog's, which the static does not own: the template's image is put
// back before the dialog goes, and the copy deleted. The dialog is modal: one at a time.
HBITMAP templatePicture = nullptr;
HBITMAP scaledPicture = nullptr;

void RestorePicture(HWND picture) {
    if (!scaledPicture) return;
    SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(templatePicture));
    DeleteObject(scaledPicture);
    scaledPicture = nullptr;
}

void ScalePicture(HWND dialog, int dpi) {
    HWND picture = GetWindow(dialog, GW_CHILD);
    if (!picture) return;
    RestorePicture(picture);
    if (dpi == kLayoutDpi) return;
    const int side = ScaleLayout(dpi).contactPicture;
    scaledPicture = static_cast<HBITMAP>(LoadImageW(
        timerState.instance, MAKEINTRESOURCEW(IDB_CONTACT), IMAGE_BITMAP, side, side, 0));
    if (!scaledPicture) return;
    // An SS_BITMAP static takes the new image's size.
    templatePicture = reinterpret_cast<HBITMAP>(
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaledPicture)));
}

}  // namespace

// No buttons: the dialog manager turns Enter, Esc and the close button into commands 1 and 2.
INT_PTR CALLBACK ContactDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            ScalePicture(dialog, WindowDpi(dialog));
            return TRUE;
        case WM_DPICHANGED:
            ScalePicture(dialog, LOWORD(wParam));
            return FALSE;  // the dialog manager scales the frame
        case WM_DESTROY:
            if (HWND picture = GetWindow(dialog, GW_CHILD)) RestorePicture(picture);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}
