// Opening a program or document through the shell.
#ifndef KILN_CONTROLLER_SHELL_OPEN_H
#define KILN_CONTROLLER_SHELL_OPEN_H

#include <windows.h>

// ShellExecuteA(owner, "open", file, parameters, folder, SW_SHOW); a null
// folder is Kiln's current one.
// shell32 and what it pulls in are loaded only here, at the first run offer
// or jump, not at every start of Kiln. Returns ShellExecuteA's value (32 or
// less on failure).
INT_PTR ShellOpen(HWND owner, const char* file, const char* parameters, const char* folder);

#endif
