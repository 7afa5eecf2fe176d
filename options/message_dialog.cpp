// Dialog 201: the ten custom progress texts and the pause between them.
// OK writes them at once; the sheet's own OK or Cancel does not touch them.
#include <windows.h>

#include "options/centre_window.h"
#include "options/control_text.h"
#include "options/cut_value_notice.h"
#include "options/option_sheet.h"
#include "options/save_failure.h"
#include "options/text_byte_limit.h"
#include "resources/option_ids.h"

namespace {

// As many bytes as a load gives back whole: a text saved longer would come
// back cut at the next start.
const int kMessageBytes = kMessageReadSize - 1;
const int kIntervalChars = 5;

bool IsMessageEdit(int id) { return id >= IDC_MESSAGE_FIRST && id < IDC_MESSAGE_FIRST + kMessageCount; }

void InitMessageDialog(HWND dialog, const KilnOpSettingsFile& settings) {
    CentreWindow(dialog);
    for (int k = 0; k < kMessageCount; ++k) {
        LimitTextBytes(dialog, IDC_MESSAGE_FIRST + k, kMessageBytes);
        SetDlgItemTextA(dialog, IDC_MESSAGE_FIRST + k, settings.Messages[k]);
    }
    SendDlgItemMessageA(dialog, IDC_INTERVAL, EM_LIMITTEXT, kIntervalChars, 0);
    // Signed, as it is read back: a negative interval is not shown as a
    // number of ten digits.
    SetDlgItemInt(dialog, IDC_INTERVAL, settings.Interval, TRUE);
    ReportCutValues(dialog, settings, kOverlongMessages);
}

void OnOk(HWND dialog, KilnOpSettingsFile& settings) {
    for (int k = 0; k < kMessageCount; ++k)
        if (!HeldExactly(dialog, IDC_MESSAGE_FIRST + k, false)) return;
    for (int k = 0; k < kMessageCount; ++k) {
        ReadFieldText(dialog, IDC_MESSAGE_FIRST + k, settings.Messages[k], kMessageReadSize, &settings.Overlong,
                      kOverlongMessageFirst << k);
    }
    settings.Interval = static_cast<int>(GetDlgItemInt(dialog, IDC_INTERVAL, NULL, TRUE));
    KilnIniWrites writes(settings.IniPath);
    settings.WriteMessages();
    // Texts that were not saved stay in the dialog for another try.
    if (ConfirmSaved(writes, dialog)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    KilnOpSettingsFile* settings = reinterpret_cast<KilnOpSettingsFile*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitMessageDialog(dialog, *reinterpret_cast<KilnOpSettingsFile*>(lParam));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && settings) {
            OnOk(dialog, *settings);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (HIWORD(wParam) == EN_CHANGE && IsMessageEdit(LOWORD(wParam))) {
            KeepWithinByteLimit(reinterpret_cast<HWND>(lParam));
        }
        return FALSE;
    }
    return FALSE;
}
