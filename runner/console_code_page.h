// The console's code page and the program's text: a program Kiln built to
// write UTF-8 runs on a console set to UTF-8, and the verdicts show a
// UTF-8 output in code page 932, the code page execute.exe writes in.
#ifndef KILN_RUNNER_CONSOLE_CODE_PAGE_H
#define KILN_RUNNER_CONSOLE_CODE_PAGE_H

#include <windows.h>

#include "common/output_compare.h"

namespace runner {

// Kiln's word (KILN_PROGRAM_CODE_PAGE=65001 in the environment Kiln gave
// execute.exe), read once and taken out, so that what the program starts
// never finds it. A run not started by Kiln has none.
bool KilnSaysUtf8();

// The console's input and output code pages to 65001, for the program's
// run; runner::ConsoleKept (console_state) puts them back with the rest of
// the console. Without a console nothing changes.
void UseUtf8CodePages();

// UTF-8 into code page 932 by the system's tables, without best fit.
output_compare::Cp932Step Cp932Conversion();

}  // namespace runner

#endif
