// The compiler page: the ten profiles, their names and the selected one's
// fields. Only the selected profile is held in the settings object, so a
// switch saves the shown profile before it loads the next.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <array>
#include <cstdio>

#include "options/centre_window.h"
#include "options/control_text.h"
#include "options/cut_value_notice.h"
#include "options/kiln_window.h"
#include "options/option_sheet.h"
#include "options/program_browse.h"
#include "options/save_failure.h"
#include "options/text_byte_limit.h"
#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "settings/profile_io.h"

namespace {

struct TextField {
    int id;
    const char* key;
    char* field;
    std::size_t size;
    unsigned overlongBit;  // set while the field holds a cut value, unedited
};

// The profile's text controls in the order their keys are written.
std::array<TextField, 6> TextFields(KilnOpSettingsFile& settings) {
    return {{
        {IDC_COMPILER_PATH, "Path", settings.Path, sizeof settings.Path, kOverlongPath},
        {IDC_COMPILE_OPTION, "CompileOption", settings.CompileOption, sizeof settings.CompileOption,
         kOverlongCompileOption},
        {IDC_OUTPUT_OPTION, "OutputFileOption", settings.OutputFileOption, sizeof settings.OutputFileOption,
         kOverlongOutputFileOption},
        {IDC_OUTPUT_TYPE, "OutputFileType", settings.OutputFileType, sizeof settings.OutputFileType,
         kOverlongOutputFileType},
        {IDC_AID_PATH, "AidProgramPath", settings.AidProgramPath, sizeof settings.AidProgramPath,
         kOverlongAidProgramPath},
        {IDC_EXECUTE_COMMAND, "ExecuteCommandLine", settings.ExecuteCommandLine,
         sizeof settings.ExecuteCommandLine, kOverlongExecuteCommandLine},
    }};
}

void ReadTextField(HWND page, KilnOpSettingsFile& settings, const TextField& text) {
    ReadFieldText(page, text.id, text.field, text.size, &settings.Overlong, text.overlongBit);
}

// A field still showing a cut value leaves the whole one in Kiln.ini.
void WriteTextField(const KilnOpSettingsFile& settings, const char* section, const TextField& text) {
    if ((settings.Overlong & text.overlongBit) == 0) ini::WriteString(settings.IniPath, section, text.key, text.field);
}

// The name, as the fields: one shown cut stays whole in Kiln.ini until edited.
void ReadProfileName(HWND page, KilnOpSettingsFile& settings) {
    ReadFieldText(page, IDC_PROFILE_NAME, settings.CompilerName[settings.CompilerNo], kPathSize, &settings.Overlong,
                  kOverlongCompilerName);
    if ((settings.Overlong & kOverlongCompilerName) == 0) settings.CutNames &= ~(1u << settings.CompilerNo);
}

// Each control takes what its field keeps, so that a saved value loads whole.
void LimitProfileTexts(HWND page, KilnOpSettingsFile& settings) {
    LimitTextBytes(page, IDC_PROFILE_NAME, kPathSize - 1);
    for (const TextField& text : TextFields(settings)) LimitTextBytes(page, text.id, static_cast<int>(text.size) - 1);
}

void FillProfileCombo(HWND page, const KilnOpSettingsFile& settings) {
    HWND list = GetDlgItem(page, IDC_PROFILE_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kProfileCount; ++i) {
        char item[kPathSize + 8];
        std::snprintf(item, sizeof item, "(%2d) %s", i + 1, settings.CompilerName[i]);
        // By index: the list keeps profile order although it sorts.
        SendMessageA(list, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(list, CB_SETCURSEL, settings.CompilerNo, 0);
}

void UpdateAidControls(HWND page, const KilnOpSettingsFile& settings) {
    BOOL on = settings.AidExecute != 0;
    EnableWindow(GetDlgItem(page, IDC_AID_PATH), on);
    EnableWindow(GetDlgItem(page, IDC_AID_BROWSE), on);
}

void ShowProfile(HWND page, PageState& state) {
    KilnOpSettingsFile& settings = *state.settings;
    settings.LoadProfile();
    state.filling = true;
    SetDlgItemTextA(page, IDC_PROFILE_NAME, settings.CompilerName[settings.CompilerNo]);
    for (const TextField& text : TextFields(settings)) SetDlgItemTextA(page, text.id, text.field);
    CheckDlgButton(page, IDC_AID_EXECUTE, settings.AidExecute);
    CheckDlgButton(page, IDC_CHECK_EXECUTE, settings.CheckExecute);
    CheckDlgButton(page, IDC_COMPILE_AFTER_SHOW, settings.CompileAfterShow);
    state.filling = false;
    UpdateAidControls(page, settings);
}

// Before anything of the shown profile is saved: every text as code page
// 932 holds it, the paths perhaps by their short names.
bool ProfileHeldExactly(HWND page, KilnOpSettingsFile& settings) {
    if (!HeldExactly(page, IDC_PROFILE_NAME, false)) return false;
    for (const TextField& text : TextFields(settings))
        if (!HeldExactly(page, text.id, text.id == IDC_COMPILER_PATH || text.id == IDC_AID_PATH)) return false;
    return true;
}

// Writes CompilerNo and the shown profile; true when all of it was saved.
bool SaveProfile(HWND page, KilnOpSettingsFile& settings) {
    KilnIniWrites writes(settings.IniPath);
    const char* ini = settings.IniPath;
    ini::WriteInt(ini, "Compiler", "CompilerNo", settings.CompilerNo);
    char section[16];
    SettingsFile::ProfileSection(settings.CompilerNo, section);
    std::array<TextField, 6> fields = TextFields(settings);
    ReadProfileName(page, settings);
    for (const TextField& text : fields) ReadTextField(page, settings, text);
    if ((settings.Overlong & kOverlongCompilerName) == 0) {
        ini::WriteString(ini, section, "CompilerName", settings.CompilerName[settings.CompilerNo]);
    }
    for (int i = 0; i < 4; ++i) WriteTextField(settings, section, fields[i]);
    ini::WriteInt(ini, section, "AidExecute", settings.AidExecute);
    for (int i = 4; i < 6; ++i) WriteTextField(settings, section, fields[i]);
    ini::WriteInt(ini, section, "CheckExecute", settings.CheckExecute);
    ini::WriteInt(ini, section, "CompileAfterShow", settings.CompileAfterShow);
    return writes.AllSaved();
}

BOOL OnApply(HWND page, PageState& state) {
    if (!ProfileHeldExactly(page, *state.settings)) return RefuseInexactApply(page);
    if (!SaveProfile(page, *state.settings)) return RefuseApply(page, state.settings->IniPath);
    NotifyKiln(WM_KILN_RELOAD);
    return TRUE;
}

void OnProfileChosen(HWND page, PageState& state) {
    KilnOpSettingsFile& settings = *state.settings;
    LRESULT chosen = SendDlgItemMessageA(page, IDC_PROFILE_LIST, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= kProfileCount) return;
    // The shown profile stays shown when it could not be saved: loading the
    // next one would throw its edits away.
    bool exact = ProfileHeldExactly(page, settings);
    if (!exact || !SaveProfile(page, settings)) {
        if (exact) ReportNotSaved(GetParent(page), settings.IniPath);
        SendDlgItemMessageA(page, IDC_PROFILE_LIST, CB_SETCURSEL, settings.CompilerNo, 0);
        return;
    }
    settings.CompilerNo = static_cast<int>(chosen);
    ShowProfile(page, state);
    ReportChanged(page);
    ReportCutValues(GetParent(page), settings, kOverlongProfile | kOverlongCompilerName);
}

void OnNameEdited(HWND page, KilnOpSettingsFile& settings) {
    ReadProfileName(page, settings);
    FillProfileCombo(page, settings);
    ReportChanged(page);
}

void OnBrowseCompiler(HWND page, KilnOpSettingsFile& settings) {
    BrowseForProgram(page, IDC_COMPILER_PATH, settings.Path);
    ReadTextField(page, settings, TextFields(settings)[0]);
    KilnIniWrites writes(settings.IniPath);
    settings.DeriveCompilerDefaults(settings.CompilerNo);
    SetDlgItemTextA(page, IDC_OUTPUT_OPTION, settings.OutputFileOption);
    SetDlgItemTextA(page, IDC_OUTPUT_TYPE, settings.OutputFileType);
    SetDlgItemTextA(page, IDC_AID_PATH, settings.AidProgramPath);
    ConfirmSaved(writes, GetParent(page));
}

void OnBrowseAid(HWND page, KilnOpSettingsFile& settings) {
    BrowseForProgram(page, IDC_AID_PATH, settings.AidProgramPath);
    ReadTextField(page, settings, TextFields(settings)[4]);
}

void OnCheckClicked(HWND page, KilnOpSettingsFile& settings) {
    settings.AidExecute = static_cast<int>(IsDlgButtonChecked(page, IDC_AID_EXECUTE));
    UpdateAidControls(page, settings);
    settings.CheckExecute = static_cast<int>(IsDlgButtonChecked(page, IDC_CHECK_EXECUTE));
    settings.CompileAfterShow = static_cast<int>(IsDlgButtonChecked(page, IDC_COMPILE_AFTER_SHOW));
    ReportChanged(page);
}

BOOL OnCommand(HWND page, PageState& state, int id, int code) {
    KilnOpSettingsFile& settings = *state.settings;
    switch (id) {
    case IDC_PROFILE_LIST:
        if (code == CBN_SELCHANGE) OnProfileChosen(page, state);
        return FALSE;
    case IDC_PROFILE_NAME:
        if (code != EN_CHANGE) return FALSE;
        KeepWithinByteLimit(GetDlgItem(page, id));
        if (!state.filling) OnNameEdited(page, settings);
        return FALSE;
    case IDC_COMPILER_PATH:
    case IDC_AID_PATH:
    case IDC_COMPILE_OPTION:
    case IDC_OUTPUT_OPTION:
    case IDC_OUTPUT_TYPE:
    case IDC_EXECUTE_COMMAND:
        if (code != EN_CHANGE) return FALSE;
        KeepWithinByteLimit(GetDlgItem(page, id));
        if (!state.filling) ReportChanged(page);
        return TRUE;
    case IDC_COMPILER_BROWSE:
        OnBrowseCompiler(page, settings);
        return FALSE;
    case IDC_AID_BROWSE:
        OnBrowseAid(page, settings);
        return FALSE;
    case IDC_AID_EXECUTE:
    case IDC_CHECK_EXECUTE:
    case IDC_COMPILE_AFTER_SHOW:
        if (code == BN_CLICKED) OnCheckClicked(page, settings);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK CompilerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        PageState& state = KeepPageState(page, lParam);
        LimitProfileTexts(page, *state.settings);
        FillProfileCombo(page, *state.settings);
        ShowProfile(page, state);
        CentreWindow(GetParent(page));
        ReportCutValues(GetParent(page), *state.settings, kOverlongProfile | kOverlongCompilerName);
        return TRUE;
    }
    PageState* state = PageStateOf(page);
    if (!state) return FALSE;
    switch (message) {
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) return OnApply(page, *state);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, *state, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
