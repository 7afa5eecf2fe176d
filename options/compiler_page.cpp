// The compiler page: the ten profiles, their names and the selected one's
// fields. Only the selected profile is held in the settings object, so a
// switch saves the shown profile before it loads the next.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

#include "centre_window.h"
#include "control_text.h"
#include "cut_value_notice.h"
#include "kiln_window.h"
#include "option_sheet.h"
#include "program_browse.h"
#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "save_failure.h"
#include "settings/profile_io.h"
#include "settings_instance.h"

namespace {

KilnOpSettingsFile& settings = OptionSettings();

// Set while the page fills its own controls: their change notifications are
// not changes of the user's.
bool filling = false;

struct TextField {
    int id;
    const char* key;
    char* field;
    std::size_t size;
    unsigned overlongBit;  // set while the field holds a cut value, unedited
};

// The profile's text controls in the order their keys are written.
const TextField kTextFields[] = {
    {IDC_COMPILER_PATH, "Path", settings.Path, sizeof settings.Path, kOverlongPath},
    {IDC_COMPILE_OPTION, "CompileOption", settings.CompileOption, sizeof settings.CompileOption,
     kOverlongCompileOption},
    {IDC_OUTPUT_OPTION, "OutputFileOption", settings.OutputFileOption, sizeof settings.OutputFileOption,
     kOverlongOutputFileOption},
    {IDC_OUTPUT_TYPE, "OutputFileType", settings.OutputFileType, sizeof settings.OutputFileType,
     kOverlongOutputFileType},
    {IDC_AID_PATH, "AidProgramPath", settings.AidProgramPath, sizeof settings.AidProgramPath,
     kOverlongAidProgramPath},
    {IDC_EXECUTE_COMMAND, "ExecuteCommandLine", settings.ExecuteCommandLine, sizeof settings.ExecuteCommandLine,
     kOverlongExecuteCommandLine},
};

void ReadTextField(HWND page, const TextField& text) {
    ReadFieldText(page, text.id, text.field, text.size, &settings.Overlong, text.overlongBit);
}

// A field still showing a cut value leaves the whole one in Kiln.ini.
void WriteTextField(const char* ini, const char* section, const TextField& text) {
    if ((settings.Overlong & text.overlongBit) == 0) ini::WriteString(ini, section, text.key, text.field);
}

void FillProfileCombo(HWND page) {
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

void UpdateAidControls(HWND page) {
    BOOL on = settings.AidExecute != 0;
    EnableWindow(GetDlgItem(page, IDC_AID_PATH), on);
    EnableWindow(GetDlgItem(page, IDC_AID_BROWSE), on);
}

void ShowProfile(HWND page) {
    settings.LoadProfile();
    filling = true;
    SetDlgItemTextA(page, IDC_PROFILE_NAME, settings.CompilerName[settings.CompilerNo]);
    for (const TextField& text : kTextFields) SetDlgItemTextA(page, text.id, text.field);
    CheckDlgButton(page, IDC_AID_EXECUTE, settings.AidExecute);
    CheckDlgButton(page, IDC_CHECK_EXECUTE, settings.CheckExecute);
    CheckDlgButton(page, IDC_COMPILE_AFTER_SHOW, settings.CompileAfterShow);
    filling = false;
    UpdateAidControls(page);
}

// Writes CompilerNo and the shown profile; true when all of it was saved.
bool SaveProfile(HWND page) {
    KilnIniWrites writes;
    const char* ini = settings.IniPath;
    ini::WriteInt(ini, "Compiler", "CompilerNo", settings.CompilerNo);
    char section[16];
    SettingsFile::ProfileSection(settings.CompilerNo, section);
    ReadItemText(page, IDC_PROFILE_NAME, settings.CompilerName[settings.CompilerNo], kPathSize);
    for (const TextField& text : kTextFields) ReadTextField(page, text);
    ini::WriteString(ini, section, "CompilerName", settings.CompilerName[settings.CompilerNo]);
    for (int i = 0; i < 4; ++i) WriteTextField(ini, section, kTextFields[i]);
    ini::WriteInt(ini, section, "AidExecute", settings.AidExecute);
    for (int i = 4; i < 6; ++i) WriteTextField(ini, section, kTextFields[i]);
    ini::WriteInt(ini, section, "CheckExecute", settings.CheckExecute);
    ini::WriteInt(ini, section, "CompileAfterShow", settings.CompileAfterShow);
    return writes.AllSaved();
}

BOOL OnApply(HWND page) {
    if (!SaveProfile(page)) return RefuseApply(page);
    NotifyKiln(WM_KILN_RELOAD);
    return TRUE;
}

void OnProfileChosen(HWND page) {
    LRESULT chosen = SendDlgItemMessageA(page, IDC_PROFILE_LIST, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= kProfileCount) return;
    // The shown profile stays shown when it could not be saved: loading the
    // next one would throw its edits away.
    if (!SaveProfile(page)) {
        ReportNotSaved(GetParent(page));
        SendDlgItemMessageA(page, IDC_PROFILE_LIST, CB_SETCURSEL, settings.CompilerNo, 0);
        return;
    }
    settings.CompilerNo = static_cast<int>(chosen);
    ShowProfile(page);
    ReportChanged(page);
    ReportCutValues(GetParent(page), settings, kOverlongProfile);
}

void OnNameEdited(HWND page) {
    ReadItemText(page, IDC_PROFILE_NAME, settings.CompilerName[settings.CompilerNo], kPathSize);
    FillProfileCombo(page);
    ReportChanged(page);
}

void OnBrowseCompiler(HWND page) {
    BrowseForProgram(page, IDC_COMPILER_PATH, settings.Path);
    ReadTextField(page, kTextFields[0]);
    KilnIniWrites writes;
    settings.DeriveCompilerDefaults(settings.CompilerNo);
    SetDlgItemTextA(page, IDC_OUTPUT_OPTION, settings.OutputFileOption);
    SetDlgItemTextA(page, IDC_OUTPUT_TYPE, settings.OutputFileType);
    SetDlgItemTextA(page, IDC_AID_PATH, settings.AidProgramPath);
    ConfirmSaved(writes, GetParent(page));
}

void OnBrowseAid(HWND page) {
    BrowseForProgram(page, IDC_AID_PATH, settings.AidProgramPath);
    ReadTextField(page, kTextFields[4]);
}

void OnCheckClicked(HWND page) {
    settings.AidExecute = static_cast<int>(IsDlgButtonChecked(page, IDC_AID_EXECUTE));
    UpdateAidControls(page);
    settings.CheckExecute = static_cast<int>(IsDlgButtonChecked(page, IDC_CHECK_EXECUTE));
    settings.CompileAfterShow = static_cast<int>(IsDlgButtonChecked(page, IDC_COMPILE_AFTER_SHOW));
    ReportChanged(page);
}

BOOL OnCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_PROFILE_LIST:
        if (code == CBN_SELCHANGE) OnProfileChosen(page);
        return FALSE;
    case IDC_PROFILE_NAME:
        if (code == EN_CHANGE && !filling) OnNameEdited(page);
        return FALSE;
    case IDC_COMPILER_PATH:
    case IDC_AID_PATH:
    case IDC_COMPILE_OPTION:
    case IDC_OUTPUT_OPTION:
    case IDC_OUTPUT_TYPE:
    case IDC_EXECUTE_COMMAND:
        if (code != EN_CHANGE) return FALSE;
        if (!filling) ReportChanged(page);
        return TRUE;
    case IDC_COMPILER_BROWSE:
        OnBrowseCompiler(page);
        return FALSE;
    case IDC_AID_BROWSE:
        OnBrowseAid(page);
        return FALSE;
    case IDC_AID_EXECUTE:
    case IDC_CHECK_EXECUTE:
    case IDC_COMPILE_AFTER_SHOW:
        if (code == BN_CLICKED) OnCheckClicked(page);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK CompilerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FillProfileCombo(page);
        ShowProfile(page);
        CentreWindow(GetParent(page));
        ReportCutValues(GetParent(page), settings, kOverlongProfile);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) return OnApply(page);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
