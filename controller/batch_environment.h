// The environment of a batch file that Kiln starts: Kiln's own, with
// NoDefaultCurrentDirectoryInExePath set, so that Windows' cmd.exe looks for
// a bare name along PATH only and not first in the current folder (the
// source's, or whatever it holds). Made for each start rather than set in
// Kiln's environment, which the built program gets as it is.
#ifndef KILN_CONTROLLER_BATCH_ENVIRONMENT_H
#define KILN_CONTROLLER_BATCH_ENVIRONMENT_H

#include <windows.h>

#include <string>
#include <vector>

// A block for CreateProcess with CREATE_UNICODE_ENVIRONMENT.
std::vector<wchar_t> BatchEnvironment();

// The system's cmd.exe, by its full path; empty when the system folder is
// not known.
std::string CommandInterpreter();

#endif
