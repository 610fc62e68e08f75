#include "common_controls.h"

#include <commctrl.h>

#include "dialog_fields.h"
#include "system_library.h"

namespace {

// What the settings dialog takes from comctl32.
using InitControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using SetSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefSubclassFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
struct CommonControls {
    bool loaded = false;
    InitControlsFunction initControls = nullptr;
    SetSubclassFunction setSubclass = nullptr;
    RemoveSubclassFunction removeSubclass = nullptr;
    DefSubclassFunction defSubclass = nullptr;
};
CommonControls commonControls;  // UI thread only

// Without a common-controls v6 dependency the program gets comctl32 5.8x, and some of its builds
// export the subclass helpers by ordinal only (fixed since 5.8: 410, 412 and 413).
template <typename Function>
Function FindSubclassHelper(HMODULE library, const char* name, WORD ordinal) {
    if (Function found = FindFunction<Function>(library, name)) return found;
    return FindFunction<Function>(library, MAKEINTRESOURCEA(ordinal));
}

void LoadCommonControls() {
    if (commonControls.loaded) return;
    HMODULE library = LoadSystemLibrary(L"comctl32.dll");
    if (!library) return;  // tried again at the next opening
    commonControls.loaded = true;
    commonControls.initControls =
        FindFunction<InitControlsFunction>(library, "InitCommonControlsEx");
    commonControls.setSubclass =
        FindSubclassHelper<SetSubclassFunction>(library, "SetWindowSubclass", 410);
    commonControls.removeSubclass =
        FindSubclassHelper<RemoveSubclassFunction>(library, "RemoveWindowSubclass", 412);
    commonControls.defSubclass =
        FindSubclassHelper<DefSubclassFunction>(library, "DefSubclassProc", 413);
}

// Full-width digits typed with an input method are folded before the edit sees them: Wine's
// ES_NUMBER edit drops them, and whether Windows' lets them through depends on its version. A
// subclass sees them however they come, posted by the keyboard's WM_CHAR or sent as WM_IME_CHAR
// by an input method, where a message hook would see only the posted ones. Through comctl32's
// helpers, never by replacing the edit's window procedure: the spinners subclass their edits
// already, and a procedure replaced on top of theirs recursed until the stack ran out.
constexpr UINT_PTR kDigitFoldId = 1;

LRESULT CALLBACK FoldTypedDigits(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (message == WM_CHAR || message == WM_IME_CHAR)
        wParam = FoldFullWidthDigit(static_cast<uint32_t>(wParam));
    // A subclass must be gone before the window is.
    if (message == WM_NCDESTROY) commonControls.removeSubclass(edit, FoldTypedDigits, id);
    return commonControls.defSubclass(edit, message, wParam, lParam);
}

}  // namespace

void FoldDigitsAsTyped(HWND edit) {
    const CommonControls& functions = commonControls;
    if (!functions.setSubclass || !functions.removeSubclass || !functions.defSubclass) return;
    functions.setSubclass(edit, FoldTypedDigits, kDigitFoldId, 0);
}

void RegisterSpinnerClass() {
    // Older systems do not register the up-down class by themselves when a dialog names it.
    static bool registered = false;  // UI thread only
    if (registered) return;
    LoadCommonControls();
    if (!commonControls.initControls) return;
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
    registered = commonControls.initControls(&classes) != FALSE;
}
