#include "options/program_browse.h"

#include <commdlg.h>

#include <cstring>

#include "common/cp932.h"
#include "common/path_kind.h"
#include "controller/path_operations.h"
#include "settings/settings_file.h"

#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 88, "the open-file structure with FlagsEx");
#endif

namespace {

// The folder to open in: the folder part of `current`. A bare file name (or
// nothing) has none; the dialog then opens in the current folder.
bool StartFolder(const char* current, char* folder) {
    if (!cp932::CopyFitting(folder, kPathSize, current)) return false;
    StripQuotes(folder);
    char* slash = path_kind::LastSeparator(folder);
    if (!slash) return false;
    *slash = '\0';
    // "C:" alone would name the drive's current folder, not its root.
    if (path_kind::IsBareDrive(folder)) {
        *slash = '\\';
        slash[1] = '\0';
    }
    return true;
}
}  // namespace

bool PickExecutable(HWND owner, char* file) {
    std::memset(file, 0, kPathSize);
    static const char filter[] = "実行ファイル(*.exe)\0*.exe\0すべて(*.*)\0*.*\0";
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = file;
    dialog.nMaxFile = kPathSize;
    // The folder that BrowseForProgram made current, named as well: left
    // without one, the dialog opens in the folder last picked from instead.
    char folder[kPathSize];
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    if (length > 0 && length < sizeof folder) dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = "ファイル選択";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = "exe";
    return GetOpenFileNameA(&dialog) != FALSE;
}

void BrowseForProgram(HWND page, int id, const char* current) {
    char saved[kPathSize];
    DWORD length = GetCurrentDirectoryA(sizeof saved, saved);
    bool restore = length > 0 && length < sizeof saved;
    char folder[kPathSize];
    if (StartFolder(current, folder)) SetCurrentDirectoryA(folder);
    char picked[kPathSize];
    if (PickExecutable(page, picked)) SetDlgItemTextA(page, id, picked);
    if (restore) SetCurrentDirectoryA(saved);
}
