// The offer to run what was built.
#ifndef KILN_CONTROLLER_RUN_OFFER_H
#define KILN_CONTROLLER_RUN_OFFER_H

#include <windows.h>

#include "settings/initial_file.h"

// 1 when an offer was made (the program was started, or the user declined),
// 0 when there was nothing to run.
int RunBuiltProgram(const SettingsFile& settings, HWND mainWindow, const char* outputPath);

#endif
