// Dialog 201: the ten custom progress texts and the pause between them.
// OK writes them at once; the sheet's own OK or Cancel does not touch them.
#include <windows.h>

#include "centre_window.h"
#include "control_text.h"
#include "option_sheet.h"
#include "resources/option_ids.h"
#include "save_failure.h"
#include "settings_instance.h"

namespace {

KilnOpSettingsFile& settings = OptionSettings();
const int kMessageChars = 80;
const int kIntervalChars = 5;

void InitMessageDialog(HWND dialog) {
    CentreWindow(dialog);
    for (int k = 0; k < kMessageCount; ++k) {
        SendDlgItemMessageA(dialog, IDC_MESSAGE_FIRST + k, EM_LIMITTEXT, kMessageChars, 0);
        SetDlgItemTextA(dialog, IDC_MESSAGE_FIRST + k, settings.Messages[k]);
    }
    SendDlgItemMessageA(dialog, IDC_INTERVAL, EM_LIMITTEXT, kIntervalChars, 0);
    // Signed, as it is read back: a negative interval is not shown as a
    // number of ten digits.
    SetDlgItemInt(dialog, IDC_INTERVAL, settings.Interval, TRUE);
}

void OnOk(HWND dialog) {
    for (int k = 0; k < kMessageCount; ++k) {
        SendDlgItemMessageA(dialog, IDC_MESSAGE_FIRST + k, EM_LIMITTEXT, kMessageChars, 0);
        ReadItemText(dialog, IDC_MESSAGE_FIRST + k, settings.Messages[k], kMessageSize);
    }
    settings.Interval = static_cast<int>(GetDlgItemInt(dialog, IDC_INTERVAL, NULL, TRUE));
    KilnIniWrites writes;
    settings.WriteMessages();
    // Texts that were not saved stay in the dialog for another try.
    if (ConfirmSaved(writes, dialog)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitMessageDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
