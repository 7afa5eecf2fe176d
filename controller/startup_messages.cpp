#include "startup_messages.h"

#include <windows.h>

const char kKilnErrorCaption[] = "Kiln 実行エラー";
const char kSourcePathTooLong[] =
    "ソースファイルのパスが長すぎます\nパスは511バイト以内で指定してください";

namespace {
const char kStartupMessages[2][2048] = {
    "ソースファイルが指定されていません\nソースファイル名を指定して実行するか\nWrenletから実行してください",
    "コンパイラのパスが正しくありません\nコンパイラパスを設定し直してください",
};
}  // namespace

int ReportIfEmpty(const char* text, int index) {
    if (text != NULL && text[0] != '\0') return 0;
    MessageBoxA(NULL, kStartupMessages[index], kKilnErrorCaption, MB_ICONERROR);
    return 1;
}

void ShowKilnError(const char* text) {
    MessageBoxA(NULL, text, kKilnErrorCaption, MB_OK | MB_ICONERROR);
}
