#include <windows.h>

#include "option_sheet.h"
#include "save_failure.h"
#include "settings_instance.h"

// Constructed before WinMain: a missing Kiln.ini is written here.
static KilnOpSettingsFile& settings = OptionSettings();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    (void)settings;
    // A Kiln.ini that could not be created is said at once, not only when
    // the sheet's OK fails; the sheet still shows what would be written.
    if (ini::FailedWriteCount() != 0) ReportNotSaved(NULL);
    ShowOptionSheet(GetActiveWindow());
    return 0;
}
