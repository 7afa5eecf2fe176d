#include "controller/kiln_boxes.h"

#include <cstdio>

#include "resources/exact_names.h"
#include "settings/profile_io.h"
#include "settings/settings_file.h"

const char kKilnErrorCaption[] = "Kiln 実行エラー";
const char kSourcePathTooLong[] =
    "ソースファイルのパスが長すぎます\nパスは511バイト以内で指定してください";
const char kInexactSourceName[] =
    "ソースファイルのパスに、Kilnが扱えない文字（Shift_JISにない文字）があります\n"
    "ファイル名とフォルダ名をShift_JISの文字だけにしてください";

namespace {
const char kStartupMessages[2][2048] = {
    "ソースファイルが指定されていません\nソースファイル名を指定して実行するか\nWrenletから実行してください",
    "コンパイラのパスが正しくありません\nコンパイラパスを設定し直してください",
};
}  // namespace

int ShowBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}

bool ReportIfEmpty(const char* text, int index) {
    if (text != NULL && text[0] != '\0') return false;
    ShowBox(NULL, kStartupMessages[index], kKilnErrorCaption, MB_ICONERROR);
    return true;
}

void ShowKilnError(const char* text) {
    ShowBox(NULL, text, kKilnErrorCaption, MB_OK | MB_ICONERROR);
}

void ShowNameError(const char* text, const std::wstring& name) {
    std::wstring caption = exact_names::Widened(kKilnErrorCaption);
    MessageBoxW(NULL, exact_names::UnderFirstLine(text, name).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

bool ReportOverlongSetting(const SettingsFile& settings, unsigned mask) {
    OverlongValue value;
    if (!settings.FirstOverlong(mask, &value)) return false;
    char text[256];
    std::snprintf(text, sizeof text, "Kiln.iniの[%s]の%sが長すぎます\n%dバイト以内で設定し直してください",
                  value.section, value.key, value.limit);
    ShowKilnError(text);
    return true;
}

bool ReportUnsavedDefaults(const SettingsFile& settings) {
    if (ini::FailedWriteCount() == 0) return false;
    char text[512 + 2 * MAX_PATH];
    std::snprintf(text, sizeof text,
                  "Kiln.iniに設定を保存できませんでした\n%s\n"
                  "Kiln.exeを書き込めるフォルダに置いてください",
                  settings.IniPath);
    ShowKilnError(text);
    return true;
}
