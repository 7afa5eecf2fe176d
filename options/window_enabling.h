// Which window-page controls can be used: docking excludes the fixed
// placement, and each fixed row needs its own check box. The buttons that
// copy Kiln's current size or position need a running Kiln as well.
#ifndef KILN_OPTIONS_WINDOW_ENABLING_H
#define KILN_OPTIONS_WINDOW_ENABLING_H

#include <windows.h>

#include "settings/settings_file.h"

void EnableFixControls(HWND page, const SettingsFile& settings, int on);
void EnableFixDetails(HWND page, const SettingsFile& settings, int on);
void EnableSizeGroup(HWND page, int on);
void EnablePositionGroup(HWND page, int on);
void EnableCurrentButton(HWND page, int id, int on);

// Shows the message group for Custom 1, hides it for 0, leaves it for others.
void ShowMessageGroup(HWND page, const KilnOpSettingsFile& settings);

#endif
