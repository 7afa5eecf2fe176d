#include "save_failure.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

#include "settings_instance.h"

void ReportNotSaved(HWND owner) {
    char text[512 + 2 * MAX_PATH];
    std::snprintf(text, sizeof text,
                  "Kiln.iniに設定を保存できませんでした\n%s\n"
                  "Kiln.iniが読み取り専用になっていないか、フォルダに書き込めるか確認してください",
                  OptionSettings().IniPath);
    MessageBoxA(owner, text, "KilnOp 保存エラー", MB_OK | MB_ICONERROR);
}

bool ConfirmSaved(const KilnIniWrites& writes, HWND owner) {
    if (writes.AllSaved()) return true;
    ReportNotSaved(owner);
    return false;
}

BOOL RefuseApply(HWND page) {
    ReportNotSaved(GetParent(page));
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
    return TRUE;
}
