#include "options/cut_value_notice.h"

#include <string>

#include "options/kilnop_boxes.h"

void ReportCutValues(HWND owner, const SettingsFile& settings, unsigned mask) {
    std::string names;
    for (unsigned bit = 1; bit != 0 && bit <= mask; bit <<= 1) {
        OverlongValue value;
        if ((mask & bit) == 0 || !settings.FirstOverlong(bit, &value)) continue;
        names += "[" + std::string(value.section) + "]の" + value.key + "（" + std::to_string(value.limit) +
                 "バイトまで）\n";
    }
    if (names.empty()) return;
    std::string text = "Kiln.iniの次の値は長すぎるため、先頭の部分だけを表示しています\n" + names +
                       "欄を書き換えない限り、Kiln.iniの元の値はそのまま残ります";
    ShowBox(owner, text.c_str(), "KilnOp 注意", MB_OK | MB_ICONWARNING);
}
