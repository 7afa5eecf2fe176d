#include <windows.h>

#include "option_sheet.h"
#include "settings_instance.h"

// Constructed before WinMain: a missing Kiln.ini is written here.
static KilnOpSettingsFile& settings = OptionSettings();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    (void)settings;
    ShowOptionSheet(GetActiveWindow());
    return 0;
}
