// KilnOp's property sheet: the three pages and what they share.
#ifndef KILN_OPTIONS_OPTION_SHEET_H
#define KILN_OPTIONS_OPTION_SHEET_H

#include <windows.h>

// Runs the modal sheet (compiler, editor and window pages) until it closes.
void ShowOptionSheet(HWND owner);

int CALLBACK PropSheetCallback(HWND sheet, UINT message, LPARAM lParam);

// The module whose resources hold the dialog templates.
HINSTANCE OptionInstance();

// Tells the sheet that the page has changes to apply (enables Apply).
void ReportChanged(HWND page);

INT_PTR CALLBACK CompilerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WindowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
