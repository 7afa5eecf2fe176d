#include "options/save_failure.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

#include "options/kilnop_boxes.h"

void ReportNotSaved(HWND owner, const char* iniPath) {
    char text[512 + 2 * MAX_PATH];
    std::snprintf(text, sizeof text,
                  "Kiln.iniに設定を保存できませんでした\n%s\n"
                  "Kiln.iniが読み取り専用になっていないか、フォルダに書き込めるか確認してください",
                  iniPath);
    ShowBox(owner, text, "KilnOp 保存エラー", MB_OK | MB_ICONERROR);
}

bool ConfirmSaved(const KilnIniWrites& writes, HWND owner) {
    if (writes.AllSaved()) return true;
    ReportNotSaved(owner, writes.IniPath());
    return false;
}

BOOL RefuseApply(HWND page, const char* iniPath) {
    ReportNotSaved(GetParent(page), iniPath);
    return RefuseInexactApply(page);
}

BOOL RefuseInexactApply(HWND page) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
    return TRUE;
}
