// The editor page: the Wrenlet path, the jump parameter and the jump mode.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "options/control_text.h"
#include "options/cut_value_notice.h"
#include "options/kiln_window.h"
#include "options/option_sheet.h"
#include "options/program_browse.h"
#include "options/save_failure.h"
#include "options/text_byte_limit.h"
#include "resources/option_ids.h"
#include "resources/shared_names.h"

namespace {

void InitEditorPage(HWND page, PageState& state) {
    const KilnOpSettingsFile& settings = *state.settings;
    // Each control takes what its field keeps, so that a saved value loads whole.
    LimitTextBytes(page, IDC_EDITOR_PATH, sizeof settings.EditorPath - 1);
    LimitTextBytes(page, IDC_JUMP_OPTION, sizeof settings.JumpOption - 1);
    state.filling = true;
    SetDlgItemTextA(page, IDC_EDITOR_PATH, settings.EditorPath);
    SetDlgItemTextA(page, IDC_JUMP_OPTION, settings.JumpOption);
    CheckDlgButton(page, IDC_JUMP_TYPE, settings.JumpType);
    state.filling = false;
}

BOOL OnApply(HWND page, KilnOpSettingsFile& settings) {
    if (!HeldExactly(page, IDC_EDITOR_PATH, true) || !HeldExactly(page, IDC_JUMP_OPTION, false))
        return RefuseInexactApply(page);
    ReadFieldText(page, IDC_EDITOR_PATH, settings.EditorPath, sizeof settings.EditorPath, &settings.Overlong,
                  kOverlongEditorPath);
    ReadFieldText(page, IDC_JUMP_OPTION, settings.JumpOption, sizeof settings.JumpOption, &settings.Overlong,
                  kOverlongJumpOption);
    settings.JumpType = static_cast<int>(IsDlgButtonChecked(page, IDC_JUMP_TYPE));
    KilnIniWrites writes(settings.IniPath);
    settings.SaveEditor();
    if (!writes.AllSaved()) return RefuseApply(page, settings.IniPath);
    NotifyKiln(WM_KILN_RELOAD);
    return TRUE;
}

// The new path is saved at once, with the jump parameter that suits it.
void OnBrowse(HWND page, KilnOpSettingsFile& settings) {
    BrowseForProgram(page, IDC_EDITOR_PATH, settings.EditorPath);
    ReadFieldText(page, IDC_EDITOR_PATH, settings.EditorPath, sizeof settings.EditorPath, &settings.Overlong,
                  kOverlongEditorPath);
    KilnIniWrites writes(settings.IniPath);
    settings.SaveEditor();
    settings.DeriveJumpOption();
    SetDlgItemTextA(page, IDC_JUMP_OPTION, settings.JumpOption);
    ConfirmSaved(writes, GetParent(page));
}

BOOL OnCommand(HWND page, PageState& state, int id, int code) {
    switch (id) {
    case IDC_EDITOR_PATH:
    case IDC_JUMP_OPTION:
    case IDC_JUMP_TYPE:
        if (code != EN_CHANGE && code != BN_CLICKED) return FALSE;
        if (code == EN_CHANGE) KeepWithinByteLimit(GetDlgItem(page, id));
        if (!state.filling) ReportChanged(page);
        return TRUE;
    case IDC_EDITOR_BROWSE:
        OnBrowse(page, *state.settings);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        PageState& state = KeepPageState(page, lParam);
        InitEditorPage(page, state);
        ReportCutValues(GetParent(page), *state.settings, kOverlongEditor);
        return TRUE;
    }
    PageState* state = PageStateOf(page);
    if (!state) return FALSE;
    switch (message) {
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            return OnApply(page, *state->settings);
        }
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, *state, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
