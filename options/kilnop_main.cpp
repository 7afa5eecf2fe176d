#include <windows.h>

#include "options/option_sheet.h"
#include "options/save_failure.h"
#include "resources/dll_search.h"
#include "settings/settings_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KeepDllSearchToSystem();
    // A missing Kiln.ini is written here, before the sheet reads it.
    KilnOpSettingsFile settings;
    settings.Construct();
    // A Kiln.ini that could not be created is said at once, not only when
    // the sheet's OK fails; the sheet still shows what would be written.
    if (ini::FailedWriteCount() != 0) ReportNotSaved(NULL, settings.IniPath);
    ShowOptionSheet(GetActiveWindow(), settings);
    return 0;
}
