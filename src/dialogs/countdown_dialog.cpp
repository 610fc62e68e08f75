#include "countdown_dialog.h"

#include <commctrl.h>

#include "button_captions.h"
#include "common_controls.h"
#include "config_file.h"
#include "config_rules.h"
#include "dialog_fields.h"
#include "display_dpi.h"
#include "display_scale.h"
#include "fonts.h"
#include "readout.h"
#include "readout_events.h"
#include "resource_ids.h"
#include "system_library.h"
#include "timer_state.h"

namespace {

struct TimeField {
    int edit;
    int spinner;
    int maximum;  // the spinner's range; typed or pasted text is not held to it
};

// Each row in the order its fields are initialised, read and enabled: hours, minutes, seconds.
constexpr TimeField kFixedRow[] = {{IDC_FIX_HOURS, IDC_FIX_HOURS_SPIN, 99},
                                   {IDC_FIX_MINUTES, IDC_FIX_MINUTES_SPIN, 59},
                                   {IDC_FIX_SECONDS, IDC_FIX_SECONDS_SPIN, 59}};
constexpr TimeField kUntilRow[] = {{IDC_UNTIL_HOURS, IDC_UNTIL_HOURS_SPIN, 23},
                                   {IDC_UNTIL_MINUTES, IDC_UNTIL_MINUTES_SPIN, 59},
                                   {IDC_UNTIL_SECONDS, IDC_UNTIL_SECONDS_SPIN, 59}};

constexpr int kFieldTextSize = 200;

constexpr int kEditIds[] = {IDC_FIX_HOURS,   IDC_FIX_MINUTES,   IDC_FIX_SECONDS,
                            IDC_UNTIL_HOURS, IDC_UNTIL_MINUTES, IDC_UNTIL_SECONDS};

// The LCD face for the six edits, created at each opening and deleted when the dialog window
// goes (WM_DESTROY), so repeated openings leak nothing. The dialog is modal and only one is open
// at a time.
HFONT editFont = nullptr;

void ReleaseEditFont() {
    if (editFont) DeleteObject(editFont);
    editFont = nullptr;
}

// At the dialog's own scale: the system scales the template, not a font made in pixels. The
// edits are given the new font before the old one goes.
void ApplyEditFont(HWND dialog, int dpi) {
    HFONT old = editFont;
    editFont = CreateFaceFont(ScaleLayout(dpi).dialogDigitsHeight, kLcdFace);
    for (int id : kEditIds)
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), TRUE);
    if (old) DeleteObject(old);
}

// Per-monitor v2 (Windows 10 1703 on): when the dialog moves to a display of another scale, the
// dialog manager sends its own font to every control, after WM_DPICHANGED has given the fields
// the LCD face at the new size, and the fields would show the template's font from then on.
// Systems before 1703 (and Wine) lack the call, and never move a dialog to another scale.
void KeepEditFontsOnDpiChange(HWND dialog) {
    using SetBehavior = BOOL(WINAPI*)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS,
                                      DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);
    static const SetBehavior setBehavior =
        FindUser32Function<SetBehavior>("SetDialogControlDpiChangeBehavior");
    if (!setBehavior) return;
    for (int id : kEditIds)
        setBehavior(GetDlgItem(dialog, id), DCDC_DISABLE_FONT_UPDATE, DCDC_DISABLE_FONT_UPDATE);
}

void InitField(HWND dialog, const TimeField& field, uint32_t value) {
    HWND edit = GetDlgItem(dialog, field.edit);
    HWND spinner = GetDlgItem(dialog, field.spinner);
    // Typing stops at two characters; the text set below may be longer (100 hours or more).
    SendMessageW(edit, EM_LIMITTEXT, 2, 0);
    // Auto-buddying would pair each spinner with the control before it, which is not its edit.
    SendMessageW(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(spinner, UDM_SETRANGE, 0, MAKELPARAM(field.maximum, 0));
    SetWindowTextA(edit, FieldText(value).c_str());
    FoldDigitsAsTyped(edit);
}

void InitRow(HWND dialog, const TimeField (&row)[3], uint32_t seconds) {
    const TimeFields fields = SplitSeconds(seconds);
    InitField(dialog, row[0], fields.hours);
    InitField(dialog, row[1], fields.minutes);
    InitField(dialog, row[2], fields.seconds);
}

INT_PTR OnInitDialog(HWND dialog) {
    CheckDlgButton(dialog, IDC_TIMEOUT_CONTINUE,
                   timerState.timeoutContinue ? BST_CHECKED : BST_UNCHECKED);
    ApplyEditFont(dialog, WindowDpi(dialog));
    KeepEditFontsOnDpiChange(dialog);
    InitRow(dialog, kFixedRow, timerState.countdownFixSeconds);
    InitRow(dialog, kUntilRow, timerState.countdownToTime);
    const CountdownKind kind = timerState.countdownKind;
    CheckDlgButton(dialog, kind == CountdownKind::UntilTime ? IDC_KIND_UNTIL : IDC_KIND_FIXED,
                   BST_CHECKED);
    timerState.pendingCountdownKind = kind;
    EnableCountdownRows(dialog, kind);
    // The template marks both OK and Cancel as default buttons, and the dialog manager keeps the
    // last one it creates, Cancel: Enter after typing a value would throw the value away. Enter
    // confirms instead, as in any settings dialog; Esc still cancels.
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    return TRUE;  // the dialog manager chooses the first focus
}

// The radio buttons check themselves; the kind takes effect only on OK.
INT_PTR OnKindClicked(HWND dialog, CountdownKind kind) {
    timerState.pendingCountdownKind = kind;
    EnableCountdownRows(dialog, kind);
    return FALSE;
}

// GetWindowTextA into a 200-byte buffer: the fields hold ASCII digits in any code page.
uint32_t ReadRow(HWND dialog, const TimeField (&row)[3], uint32_t maximum) {
    char texts[3][kFieldTextSize];
    for (int i = 0; i < 3; ++i)
        GetWindowTextA(GetDlgItem(dialog, row[i].edit), texts[i], kFieldTextSize);
    return RowSeconds(texts[0], texts[1], texts[2], maximum);
}

// The new starting point: 到 and a zero readout for a time of day, 共 and the length for a
// fixed countdown. The dialog only opens in an idle countdown, whose readout the worker leaves
// alone.
void ShowNewStart() {
    RefreshTargetCaption();
    WriteIdleReadout();
    InvalidateReadout();
    AnnounceReadout(EVENT_OBJECT_VALUECHANGE);
}

// Both rows are read on every OK, the disabled one too: what was typed there before switching
// the kind is kept. Totals are held to what loading accepts (see StorableSeconds).
INT_PTR OnOk(HWND dialog) {
    timerState.timeoutContinue = IsDlgButtonChecked(dialog, IDC_TIMEOUT_CONTINUE) == BST_CHECKED;
    timerState.countdownKind = timerState.pendingCountdownKind.load();
    timerState.countdownFixSeconds = ReadRow(dialog, kFixedRow, kMaxFixSeconds);
    timerState.countdownToTime = ReadRow(dialog, kUntilRow, kMaxToTime);
    // All three keys, timeout_continue first, on every OK.
    const bool saved = SaveConfiguration();
    ShowNewStart();
    EndDialog(dialog, saved ? IDOK : kOkNotSaved);
    return TRUE;
}

bool IsTimeField(int id) {
    for (const TimeField* row : {kFixedRow, kUntilRow})
        for (int i = 0; i < 3; ++i)
            if (row[i].edit == id) return true;
    return false;
}

// The LCD face has no full-width digits, and OK reads the field through the code page, where they
// are not digits: so the field is rewritten in ASCII at once, and what it shows, what its spinner
// steps from and what OK stores agree. The rewrite sends EN_CHANGE again; it then finds nothing
// to fold, and the flag keeps it from coming back here in any case.
void FoldFieldDigits(HWND edit) {
    static bool folding = false;  // UI thread only
    if (folding) return;
    wchar_t text[kFieldTextSize];
    GetWindowTextW(edit, text, kFieldTextSize);
    if (!FoldFullWidthDigits(text)) return;
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    folding = true;
    SetWindowTextW(edit, text);
    folding = false;
    // One character for one: the caret stays where it was.
    SendMessageW(edit, EM_SETSEL, start, end);
}

INT_PTR OnCommand(HWND dialog, int id, int notification) {
    if (notification == EN_CHANGE && IsTimeField(id)) {
        FoldFieldDigits(GetDlgItem(dialog, id));
        return FALSE;
    }
    switch (id) {
        case IDC_KIND_FIXED:
            return OnKindClicked(dialog, CountdownKind::FixedDuration);
        case IDC_KIND_UNTIL:
            return OnKindClicked(dialog, CountdownKind::UntilTime);
        case IDOK:
            return OnOk(dialog);
        case IDCANCEL:  // also Esc and the close button: nothing changes
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

void EnableRow(HWND dialog, const TimeField (&row)[3], bool enable) {
    for (const TimeField& field : row) {
        EnableWindow(GetDlgItem(dialog, field.edit), enable);
        EnableWindow(GetDlgItem(dialog, field.spinner), enable);
    }
}

}  // namespace

void OpenCountdownSettings(HWND owner) {
    RegisterSpinnerClass();
    const INT_PTR result = DialogBoxParamW(timerState.instance, MAKEINTRESOURCEW(IDD_COUNTDOWN),
                                           owner, CountdownDialogProc, 0);
    // A folder that cannot be written (under Program Files, on a read-only stick) would otherwise
    // lose the settings at the next start without a word.
    if (result == kOkNotSaved)
        MessageBoxW(owner, L"设置无法保存到 cfg.ini\uFF0C新的设置仅在本次运行中有效\u3002",
                    L"倒计时设定", MB_OK | MB_ICONWARNING);
}

INT_PTR CALLBACK CountdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_DPICHANGED:
            // The dialog manager moves and scales the template's controls itself, and leaves
            // the fields' font alone (KeepEditFontsOnDpiChange).
            ApplyEditFont(dialog, LOWORD(wParam));
            return FALSE;
        case WM_DESTROY:
            ReleaseEditFont();
            return FALSE;
    }
    return FALSE;
}

void EnableCountdownRows(HWND dialog, CountdownKind kind) {
    EnableRow(dialog, kFixedRow, kind == CountdownKind::FixedDuration);
    EnableRow(dialog, kUntilRow, kind == CountdownKind::UntilTime);
}
