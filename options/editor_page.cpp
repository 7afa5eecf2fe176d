// The editor page: the Wrenlet path, the jump parameter and the jump mode.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "control_text.h"
#include "cut_value_notice.h"
#include "kiln_window.h"
#include "option_sheet.h"
#include "program_browse.h"
#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "save_failure.h"
#include "settings_instance.h"

namespace {

KilnOpSettingsFile& settings = OptionSettings();
bool filling = false;

void InitEditorPage(HWND page) {
    filling = true;
    SetDlgItemTextA(page, IDC_EDITOR_PATH, settings.EditorPath);
    SetDlgItemTextA(page, IDC_JUMP_OPTION, settings.JumpOption);
    CheckDlgButton(page, IDC_JUMP_TYPE, settings.JumpType);
    filling = false;
}

BOOL OnApply(HWND page) {
    ReadFieldText(page, IDC_EDITOR_PATH, settings.EditorPath, sizeof settings.EditorPath, &settings.Overlong,
                  kOverlongEditorPath);
    ReadFieldText(page, IDC_JUMP_OPTION, settings.JumpOption, sizeof settings.JumpOption, &settings.Overlong,
                  kOverlongJumpOption);
    settings.JumpType = static_cast<int>(IsDlgButtonChecked(page, IDC_JUMP_TYPE));
    KilnIniWrites writes;
    settings.SaveEditor();
    if (!writes.AllSaved()) return RefuseApply(page);
    NotifyKiln(WM_KILN_RELOAD);
    return TRUE;
}

// The new path is saved at once, with the jump parameter that suits it.
void OnBrowse(HWND page) {
    BrowseForProgram(page, IDC_EDITOR_PATH, settings.EditorPath);
    ReadFieldText(page, IDC_EDITOR_PATH, settings.EditorPath, sizeof settings.EditorPath, &settings.Overlong,
                  kOverlongEditorPath);
    KilnIniWrites writes;
    settings.SaveEditor();
    settings.DeriveJumpOption();
    SetDlgItemTextA(page, IDC_JUMP_OPTION, settings.JumpOption);
    ConfirmSaved(writes, GetParent(page));
}

BOOL OnCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_EDITOR_PATH:
    case IDC_JUMP_OPTION:
    case IDC_JUMP_TYPE:
        if (code != EN_CHANGE && code != BN_CLICKED) return FALSE;
        if (!filling) ReportChanged(page);
        return TRUE;
    case IDC_EDITOR_BROWSE:
        OnBrowse(page);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitEditorPage(page);
        ReportCutValues(GetParent(page), settings, kOverlongEditor);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) return OnApply(page);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
