#include "options/window_enabling.h"

#include "options/kiln_window.h"
#include "resources/option_ids.h"

namespace {

void EnableItems(HWND page, const int* ids, int count, int on) {
    for (int i = 0; i < count; ++i) EnableWindow(GetDlgItem(page, ids[i]), on);
}

}  // namespace

void EnableFixControls(HWND page, const SettingsFile& settings, int on) {
    EnableWindow(GetDlgItem(page, IDC_FIX), on);
    EnableFixDetails(page, settings, on == 1 && settings.Fix != 0 ? 1 : 0);
}

void EnableFixDetails(HWND page, const SettingsFile& settings, int on) {
    static const int ids[] = {IDC_FIX_SIZE, IDC_FIX_POSITION};
    EnableItems(page, ids, 2, on);
    EnableSizeGroup(page, on == 1 && settings.Size != 0 ? 1 : 0);
    EnablePositionGroup(page, on == 1 && settings.Position != 0 ? 1 : 0);
}

void EnableSizeGroup(HWND page, int on) {
    static const int ids[] = {IDC_WIDTH, IDC_HEIGHT, IDC_WIDTH_LABEL, IDC_HEIGHT_LABEL, IDC_WIDTH_SPIN,
                              IDC_HEIGHT_SPIN};
    EnableItems(page, ids, 6, on);
    EnableCurrentButton(page, IDC_CURRENT_SIZE, on);
}

void EnablePositionGroup(HWND page, int on) {
    static const int ids[] = {IDC_X, IDC_Y, IDC_X_LABEL, IDC_Y_LABEL, IDC_X_SPIN, IDC_Y_SPIN};
    EnableItems(page, ids, 6, on);
    EnableCurrentButton(page, IDC_CURRENT_POSITION, on);
}

void EnableCurrentButton(HWND page, int id, int on) {
    HWND kiln = NULL;
    EnableWindow(GetDlgItem(page, id), FindKilnWindow(&kiln) ? on : 0);
}

void ShowMessageGroup(HWND page, const KilnOpSettingsFile& settings) {
    int custom = settings.Custom;
    if (custom != 0 && custom != 1) return;
    static const int ids[] = {IDC_MESSAGE_GROUP, IDC_CUSTOM, IDC_CUSTOMISE};
    for (int id : ids) ShowWindow(GetDlgItem(page, id), custom == 1 ? SW_SHOW : SW_HIDE);
}
