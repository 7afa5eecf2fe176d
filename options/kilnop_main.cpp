#include <windows.h>

#include "options/option_sheet.h"
#include "settings/settings_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A missing Kiln.ini is written here, before the sheet reads it.
    KilnOpSettingsFile settings;
    settings.Construct();
    ShowOptionSheet(GetActiveWindow(), settings);
    return 0;
}
