// The console side of waiting: Ctrl+C and Ctrl+Break are left to the
// program, and at the end one key closes the window.
#ifndef KILN_RUNNER_CONSOLE_WAIT_H
#define KILN_RUNNER_CONSOLE_WAIT_H

#include <windows.h>

namespace runner {

// From now on Ctrl+C and Ctrl+Break end the program in the console, not
// execute.exe, so that it can still report the end. A handler, not the
// ignore flag: the flag would be inherited by the program.
void LeaveBreaksToProgram();

// Waits for one key on a console input (redirected input has no key to
// wait for: execute.exe does not call this then) and returns its virtual
// key code (0 when the console could not be read).
WORD WaitForKey(HANDLE input);

}  // namespace runner

#endif
