// KilnOp's property sheet: the three pages and what they share.
#ifndef KILN_OPTIONS_OPTION_SHEET_H
#define KILN_OPTIONS_OPTION_SHEET_H

#include <windows.h>

#include "settings/settings_file.h"

// What a page keeps while the sheet is open: the one settings record, and
// whether the page is filling its own controls (their change notifications
// are then not changes of the user's).
struct PageState {
    KilnOpSettingsFile* settings;
    bool filling;
};

// Runs the modal sheet (compiler, editor and window pages) until it closes.
void ShowOptionSheet(HWND owner, KilnOpSettingsFile& settings);

int CALLBACK PropSheetCallback(HWND sheet, UINT message, LPARAM lParam);

// The module whose resources hold the dialog templates.
HINSTANCE OptionInstance();

// At a page's WM_INITDIALOG (lParam: its PROPSHEETPAGE): keeps the page's
// state with the page. Afterwards PageStateOf gives it back; before, null.
PageState& KeepPageState(HWND page, LPARAM initParam);
PageState* PageStateOf(HWND page);

// Tells the sheet that the page has changes to apply (enables Apply).
void ReportChanged(HWND page);

INT_PTR CALLBACK CompilerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WindowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Dialog 201; DialogBoxParamA's lParam is the KilnOpSettingsFile.
INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
