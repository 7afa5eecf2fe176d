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

// While it lives, the console's input and output code pages are 65001;
// then they are put back, whatever way the program ended. Without a
// console, or when not wanted, nothing changes.
class Utf8Console {
public:
    explicit Utf8Console(bool wanted);
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT input_ = 0, output_ = 0;
};

// UTF-8 into code page 932 by the system's tables, without best fit.
output_compare::Cp932Step Cp932Conversion();

}  // namespace runner

#endif
