// The texts of the status bar under Kiln's pane. Times are in milliseconds
// and shown in seconds. No windows.h here.
#ifndef KILN_COMMON_STATUS_TEXT_H
#define KILN_COMMON_STATUS_TEXT_H

#include <string>

#include "common/compiler_messages.h"

// After a compile: "エラーE　警告W　終了コードX　T.TT秒", the gaps full-width. The exit code
// is shown signed, as a program's exit status is meant: 0xFFFFFFFF is -1.
std::string SummaryStatus(const MessageCounts& counts, unsigned long exitCode, unsigned long milliseconds);
// While the compiler runs: "コンパイル中…　T.T秒".
std::string CompilingStatus(unsigned long milliseconds);
// After Esc: "中止　T.TT秒".
std::string StoppedStatus(unsigned long milliseconds);
// A source older than what was built from it.
extern const char kUnchangedStatus[];

#endif
