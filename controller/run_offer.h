// The offer to run what was built.
#ifndef KILN_CONTROLLER_RUN_OFFER_H
#define KILN_CONTROLLER_RUN_OFFER_H

#include <windows.h>

#include "settings/settings_file.h"

// True when an offer was made (the program was started, or the user
// declined), false when there was nothing to run. The caller has made sure
// that the output is Kiln's: recorded, or written by the compile just ended.
// writesUtf8: the program writes UTF-8, so the aid program (execute.exe)
// is told to run it on a console set to UTF-8.
bool RunBuiltProgram(const SettingsFile& settings, HWND mainWindow, const char* outputPath,
                     bool writesUtf8 = false);

#endif
