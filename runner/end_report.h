// What execute.exe writes on its standard output: the line that tells how
// the program ended, the failure to start it, the usage text and the
// prompt before the wait for a key.
#ifndef KILN_RUNNER_END_REPORT_H
#define KILN_RUNNER_END_REPORT_H

#include <windows.h>

#include <string>

namespace runner {

// The system's message for error, or "エラー N" when it has none.
std::string SystemReason(DWORD error);

class EndReport {
public:
    explicit EndReport(HANDLE output);
    // A blank line, then "終了コードN（実行時間…、メモリ…）" or the exception.
    void Ended(DWORD code, unsigned long long elapsedMs, unsigned long long peakBytes);
    // "「word」を起動できませんでした" and the system's reason for error.
    void NotStarted(const std::string& word, DWORD error);
    // The same for a word as Windows holds it.
    void NotStarted(const std::wstring& word, DWORD error);
    // "引数に含まれる文字をバッチファイルに安全に渡せません" and the argument.
    void Refused(const std::string& argument);
    // "バッチファイルのパスに安全に扱えない文字（%など）があります" and the path.
    void RefusedPath(const std::string& path);
    void Usage();
    void Line(const std::string& text);  // a text of its own, line breaks included
    // A line with a name that code page 932 may not hold: as it is on a
    // console, with '?' for such characters elsewhere.
    void Line(const std::wstring& text);
    void KeyPrompt();
    // After the sample cases: Enter runs the program as without them.
    void RunPrompt();
    void KeyPressed();  // ends the prompt's line on a console

private:
    void Write(const std::string& text);
    HANDLE output_;
    bool console_;
};

}  // namespace runner

#endif
