// One run of the program on a sample case: its standard input the case's
// .in file, its output and errors read through pipes, no console of the
// user's, and it and whatever it starts in a job that ends them all.
#ifndef KILN_RUNNER_CASE_RUN_H
#define KILN_RUNNER_CASE_RUN_H

#include <windows.h>

#include <cstddef>
#include <string>

namespace runner {

// AtCoder's usual limit.
const DWORD kCaseTimeLimitMs = 2000;
// Far more than any sample's answer; a program caught in a loop of output
// reaches it in a moment.
const std::size_t kCaseOutputLimit = 4u << 20;

struct CaseRun {
    enum Kind { Ended, TimedOut, TooMuchOutput, InputUnreadable, InputNotAFile, NotStarted } kind = NotStarted;
    DWORD code = 0;  // the exit status when Ended
    unsigned long long elapsedMs = 0;
    std::string output;  // standard output only: errors are not judged
    DWORD error = 0;     // the system's error when the input or the start failed
};

// program: the file execute.exe found; commandLine: its command line from
// the program's word on; input: the .in file.
CaseRun RunCase(const std::string& program, const std::string& commandLine, const std::string& input);

}  // namespace runner

#endif
