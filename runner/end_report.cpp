#include "runner/end_report.h"

#include "common/end_report_text.h"
#include "resources/exact_names.h"

namespace runner {

std::string SystemReason(DWORD error) {
    char* text = NULL;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  NULL, error, 0, reinterpret_cast<char*>(&text), 0, NULL);
    std::string reason = length && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    if (reason.empty()) reason = "エラー " + std::to_string(error);
    return reason;
}

EndReport::EndReport(HANDLE output) : output_(output) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    console_ = GetConsoleScreenBufferInfo(output_, &info) != 0;
}

void EndReport::Write(const std::string& text) {
    DWORD written = 0;
    WriteFile(output_, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
}

void EndReport::Ended(DWORD code, unsigned long long elapsedMs, unsigned long long peakBytes) {
    // The program's last line may lack its line break; on a console it can
    // be seen, so that the report still follows one blank line.
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (console_ && GetConsoleScreenBufferInfo(output_, &info) && info.dwCursorPosition.X != 0) Write("\r\n");
    char text[256];
    end_report::Format(text, sizeof text, code, elapsedMs, peakBytes);
    Write(std::string("\r\n") + text + "\r\n");
}

void EndReport::NotStarted(const std::string& word, DWORD error) {
    Write("「" + word + "」を起動できませんでした\r\n" + SystemReason(error) + "\r\n");
}

void EndReport::NotStarted(const std::wstring& word, DWORD error) {
    Line(L"「" + word + L"」を起動できませんでした\r\n" + exact_names::Widened(SystemReason(error)) + L"\r\n");
}

void EndReport::Refused(const std::string& argument) {
    Write("引数に含まれる文字をバッチファイルに安全に渡せません\r\n" + argument + "\r\n");
}

void EndReport::RefusedPath(const std::string& path) {
    Write("バッチファイルのパスに安全に扱えない文字（%など）があります\r\n" + path + "\r\n");
}

void EndReport::Usage() {
    Write("使い方: execute.exe プログラム [引数 ...]\r\n"
          "プログラムを実行し、終わると終了コードと実行時間を表示して、キーが押されるまで待ちます。\r\n");
}

void EndReport::Line(const std::string& text) { Write(text); }

void EndReport::Line(const std::wstring& text) {
    DWORD written = 0;
    if (!console_ || !WriteConsoleW(output_, text.data(), static_cast<DWORD>(text.size()), &written, NULL))
        Write(exact_names::Shown(text));
}

void EndReport::RunPrompt() { Write("Enterキーでプログラムを実行（キーボードから入力）、ほかのキーで閉じます"); }

void EndReport::KeyPrompt() { Write(console_ ? "何かキーを押すと閉じます . . . " : "何かキーを押すと閉じます\r\n"); }

void EndReport::KeyPressed() {
    if (console_) Write("\r\n");
}

}  // namespace runner
