#include "options/program_browse.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/path_kind.h"
#include "controller/path_operations.h"
#include "options/kilnop_boxes.h"
#include "resources/exact_names.h"
#include "settings/settings_file.h"

#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "the open-file structure with FlagsEx");
#endif

namespace {

// Room for any path the dialog may give, before it is known to fit.
const std::size_t kLongPathUnits = 32768;

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

// As Windows holds it, so that it is put back exactly; empty when unknown.
std::wstring CurrentFolder() {
    std::vector<wchar_t> folder(kLongPathUnits, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    return length > 0 && length < folder.size() ? std::wstring(folder.data(), length) : std::wstring();
}

}  // namespace

bool PickExecutable(HWND owner, char* file) {
    std::memset(file, 0, kPathSize);
    // Wide: the ANSI dialog hands back the picked name with look-alikes for
    // what code page 932 lacks.
    std::vector<wchar_t> picked(kLongPathUnits, L'\0');
    static const wchar_t filter[] = L"実行ファイル(*.exe)\0*.exe\0すべて(*.*)\0*.*\0";
    OPENFILENAMEW dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = picked.data();
    dialog.nMaxFile = static_cast<DWORD>(picked.size());
    // The folder that BrowseForProgram made current, named as well: left
    // without one, the dialog opens in the folder last picked from instead.
    std::wstring folder = CurrentFolder();
    if (!folder.empty()) dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = L"ファイル選択";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = L"exe";
    if (!GetOpenFileNameW(&dialog)) return false;
    std::string name;
    if (!exact_names::NameInCodePage(picked.data(), &name)) {
        ShowInexactText(owner, kInexactPath, picked.data());
        return false;
    }
    // Longer than the field, as the dialog's own refusal was: nothing is cut.
    if (cp932::CopyFitting(file, kPathSize, name.c_str())) return true;
    file[0] = '\0';
    return false;
}

void BrowseForProgram(HWND page, int id, const char* current) {
    std::wstring saved = CurrentFolder();
    char folder[kPathSize];
    if (StartFolder(current, folder)) SetCurrentDirectoryA(folder);
    char picked[kPathSize];
    if (PickExecutable(page, picked)) SetDlgItemTextA(page, id, picked);
    if (!saved.empty()) SetCurrentDirectoryW(saved.c_str());
}
