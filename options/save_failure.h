// Telling the user when settings did not reach Kiln.ini, instead of acting
// as if they had been saved.
#ifndef KILN_OPTIONS_SAVE_FAILURE_H
#define KILN_OPTIONS_SAVE_FAILURE_H

#include <windows.h>

#include "settings/profile_io.h"

// Watches the writes to the Kiln.ini of `iniPath` made while it lives.
class KilnIniWrites {
public:
    explicit KilnIniWrites(const char* iniPath) : iniPath_(iniPath), start_(ini::FailedWriteCount()) {}
    bool AllSaved() const { return ini::FailedWriteCount() == start_; }
    const char* IniPath() const { return iniPath_; }

private:
    const char* iniPath_;
    unsigned start_;
};

// The error box "KilnOp 保存エラー" over `owner`, naming `iniPath`.
void ReportNotSaved(HWND owner, const char* iniPath);

// When a write failed: the error box "KilnOp 保存エラー" over `owner`, and
// false. True when everything was saved.
bool ConfirmSaved(const KilnIniWrites& writes, HWND owner);

// A page's PSN_APPLY answer when its keys were not saved: the error box,
// and the sheet stays open on the current page.
BOOL RefuseApply(HWND page, const char* iniPath);

// The same when a text was not taken (its box has been shown): nothing is
// saved, and the sheet stays open on the current page.
BOOL RefuseInexactApply(HWND page);

#endif
