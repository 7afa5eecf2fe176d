#include "options/kilnop_boxes.h"

#include "resources/exact_names.h"

const char kInexactPath[] =
    "パスに、Kilnが扱えない文字（Shift_JISにない文字）があります\n"
    "ファイル名とフォルダ名をShift_JISの文字だけにしてください";
const char kInexactText[] =
    "入力に、Kilnが扱えない文字（Shift_JISにない文字）があります\n"
    "Shift_JISの文字だけで入力してください";

int ShowBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}

void ShowInexactText(HWND owner, const char* before, const std::wstring& text) {
    MessageBoxW(owner, exact_names::UnderFirstLine(before, text).c_str(), L"KilnOp 入力エラー", MB_OK | MB_ICONERROR);
}
