// The texts of the status bar under Kiln's pane. Times are in milliseconds
// and shown in seconds. No windows.h here.
#ifndef KILN_COMMON_STATUS_TEXT_H
#define KILN_COMMON_STATUS_TEXT_H

#include <string>

#include "common/compiler_messages.h"

// After a compile: "エラー E  警告 W  終了コード X  T.TT 秒". The exit code
// is shown signed, as a program's exit status is meant: 0xFFFFFFFF is -1.
std::string SummaryStatus(const MessageCounts& counts, unsigned long exitCode, unsigned long milliseconds);
// While the compiler runs: "コンパイル中…  T.T 秒".
std::string CompilingStatus(unsigned long milliseconds);
// After Esc: "中止  T.TT 秒".
std::string StoppedStatus(unsigned long milliseconds);
// A source older than what was built from it.
extern const char kUnchangedStatus[];

#endif
