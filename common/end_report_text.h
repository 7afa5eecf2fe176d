// The line execute.exe writes when the program it ran has ended: the exit
// code, or the exception that ended it with its name, and the running time.
#ifndef KILN_COMMON_END_REPORT_TEXT_H
#define KILN_COMMON_END_REPORT_TEXT_H

#include <cstddef>
#include <string>

namespace end_report {

// The Japanese name of an exception code, or null for a code without one.
const char* ExceptionName(unsigned long code);

// True for a status that means an exception ended the program: an error
// status of the system (0xC0000000 to 0xCFFFFFFF) or a named warning such
// as a breakpoint. Plain codes, -1 (0xFFFFFFFF) among them, are not.
bool IsException(unsigned long code);

// How the program ended, as the report and the sample verdicts name it:
// "0xC0000005 アクセス違反" for an exception, else "終了コード3".
std::string EndStatus(unsigned long code);

// A running time rounded to hundredths: "1.25秒".
std::string Seconds(unsigned long long elapsedMs);

// Memory in whole megabytes, rounded, and at least 1 for any: "3MB".
std::string Megabytes(unsigned long long bytes);

// Writes into out (size bytes, always terminated; cut at a character when
// too small) the report of an end with exit status code after elapsedMs
// milliseconds, with the peak memory when the system told it (peakBytes
// not 0):
//   終了コード3（実行時間1.25秒、メモリ3MB）
//   例外で終了しました（0xC0000005 アクセス違反、実行時間0.02秒）
// An ordinary code is shown in signed decimal as the command prompt shows
// %ERRORLEVEL%; the time is rounded to hundredths.
void Format(char* out, std::size_t size, unsigned long code, unsigned long long elapsedMs,
            unsigned long long peakBytes = 0);

}  // namespace end_report

#endif
