// The window page: docking under the editor, or a fixed size and position,
// and the switch for the custom progress messages.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <array>

#include "options/kiln_window.h"
#include "options/option_sheet.h"
#include "options/save_failure.h"
#include "options/window_enabling.h"
#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "settings/profile_io.h"

namespace {

// The four number edits (1401 ... 1404) and their fields.
std::array<int*, 4> Numbers(KilnOpSettingsFile& settings) {
    return {{&settings.Width, &settings.Height, &settings.X, &settings.Y}};
}

void InitWindowPage(HWND page, PageState& state) {
    KilnOpSettingsFile& settings = *state.settings;
    std::array<int*, 4> numbers = Numbers(settings);
    state.filling = true;
    CheckDlgButton(page, IDC_MAGNET, settings.Magnet);
    CheckDlgButton(page, IDC_FIX, settings.Fix);
    CheckDlgButton(page, IDC_FIX_SIZE, settings.Size);
    CheckDlgButton(page, IDC_FIX_POSITION, settings.Position);
    for (int k = 0; k < 4; ++k) SetDlgItemInt(page, IDC_WIDTH + k, *numbers[k], TRUE);
    for (int k = 0; k < 4; ++k) {
        HWND spin = GetDlgItem(page, IDC_WIDTH_SPIN + k);
        SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_WIDTH + k)), 0);
        SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(3000, 0));
    }
    state.filling = false;
    EnableFixControls(page, settings, settings.Magnet == 0 ? 1 : 0);
    CheckDlgButton(page, IDC_CUSTOM, settings.Custom);
    ShowMessageGroup(page, settings);
}

int Checked(HWND page, int id) { return static_cast<int>(IsDlgButtonChecked(page, id)); }

// Reads the page back and writes it; true when all of it was saved.
bool ApplyWindowPage(HWND page, KilnOpSettingsFile& settings) {
    settings.Magnet = Checked(page, IDC_MAGNET);
    settings.Fix = Checked(page, IDC_FIX);
    settings.Size = Checked(page, IDC_FIX_SIZE);
    settings.Position = Checked(page, IDC_FIX_POSITION);
    settings.Custom = Checked(page, IDC_CUSTOM);
    std::array<int*, 4> numbers = Numbers(settings);
    for (int k = 0; k < 4; ++k) *numbers[k] = static_cast<int>(GetDlgItemInt(page, IDC_WIDTH + k, NULL, TRUE));
    KilnIniWrites writes(settings.IniPath);
    const char* ini = settings.IniPath;
    ini::WriteInt(ini, "Window", "Magnet", settings.Magnet);
    ini::WriteInt(ini, "Window", "Fix", settings.Fix);
    ini::WriteInt(ini, "Window", "Size", settings.Size);
    ini::WriteInt(ini, "Window", "Width", settings.Width);
    ini::WriteInt(ini, "Window", "Height", settings.Height);
    ini::WriteInt(ini, "Window", "Position", settings.Position);
    ini::WriteInt(ini, "Window", "X", settings.X);
    ini::WriteInt(ini, "Window", "Y", settings.Y);
    ini::WriteInt(ini, "Message", "Custom", settings.Custom);
    return writes.AllSaved();
}

BOOL OnApply(HWND page, KilnOpSettingsFile& settings) {
    if (!ApplyWindowPage(page, settings)) return RefuseApply(page, settings.IniPath);
    NotifyKiln(WM_KILN_RELOAD);
    return TRUE;
}

// "現在のサイズ" and "現在の位置": Kiln's window as it is now. first is the
// edit that gets the left or width value, the next edit the other one.
void OnCurrentButton(HWND page, KilnOpSettingsFile& settings, int button) {
    HWND kiln = NULL;
    RECT rect;
    if (!GetKilnWindowRect(&kiln, &rect)) {
        EnableWindow(GetDlgItem(page, button), FALSE);
        return;
    }
    if (button == IDC_CURRENT_SIZE) {
        settings.Width = rect.right - rect.left;
        settings.Height = rect.bottom - rect.top;
        SetDlgItemInt(page, IDC_WIDTH, settings.Width, TRUE);
        SetDlgItemInt(page, IDC_HEIGHT, settings.Height, TRUE);
    } else {
        settings.X = rect.left;
        settings.Y = rect.top;
        SetDlgItemInt(page, IDC_X, settings.X, TRUE);
        SetDlgItemInt(page, IDC_Y, settings.Y, TRUE);
    }
    ReportChanged(page);
}

// The check boxes keep their settings fields current: the enabling reads
// them from there.
BOOL OnCheckClicked(HWND page, KilnOpSettingsFile& settings, int id) {
    switch (id) {
    case IDC_MAGNET:
        settings.Magnet = Checked(page, id);
        EnableFixControls(page, settings, settings.Magnet == 0 ? 1 : 0);
        break;
    case IDC_FIX:
        settings.Fix = Checked(page, id);
        EnableFixDetails(page, settings, settings.Fix != 0 ? 1 : 0);
        break;
    case IDC_FIX_SIZE:
        settings.Size = Checked(page, id);
        EnableSizeGroup(page, settings.Size != 0 ? 1 : 0);
        break;
    case IDC_FIX_POSITION:
        settings.Position = Checked(page, id);
        EnablePositionGroup(page, settings.Position != 0 ? 1 : 0);
        break;
    case IDC_CUSTOM:
        settings.Custom = Checked(page, id);
        ShowMessageGroup(page, settings);
        break;
    }
    ReportChanged(page);
    return FALSE;
}

BOOL OnCommand(HWND page, PageState& state, int id, int code) {
    KilnOpSettingsFile& settings = *state.settings;
    switch (id) {
    case IDC_MAGNET:
    case IDC_FIX:
    case IDC_FIX_SIZE:
    case IDC_FIX_POSITION:
    case IDC_CUSTOM:
        return code == BN_CLICKED ? OnCheckClicked(page, settings, id) : FALSE;
    case IDC_WIDTH:
    case IDC_HEIGHT:
    case IDC_X:
    case IDC_Y:
        if (code != EN_CHANGE) return FALSE;
        if (!state.filling) ReportChanged(page);
        return TRUE;
    case IDC_CURRENT_SIZE:
    case IDC_CURRENT_POSITION:
        OnCurrentButton(page, settings, id);
        return FALSE;
    case IDC_CUSTOMISE:
        DialogBoxParamA(OptionInstance(), MAKEINTRESOURCEA(IDD_MESSAGES), page, MessageDialogProc,
                        reinterpret_cast<LPARAM>(&settings));
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK WindowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        InitWindowPage(page, KeepPageState(page, lParam));
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
