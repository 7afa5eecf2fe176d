// One run of the program on a sample case: its standard input the case's
// .in file, its output and errors read through pipes, no console of the
// user's, and it and whatever it starts in a job that ends them all (where
// a job can be had).
#ifndef KILN_RUNNER_CASE_RUN_H
#define KILN_RUNNER_CASE_RUN_H

#include <windows.h>

#include <cstddef>
#include <string>

#include "runner/case_watch.h"

namespace runner {

// Far more than any sample's answer; a program caught in a loop of output
// reaches it in a moment.
const std::size_t kCaseOutputLimit = 4u << 20;
// Standard error is kept apart up to this, the rest read and dropped: only
// its first lines are ever shown, and it never ends a case.
const std::size_t kCaseErrorKept = 64u << 10;

struct CaseRun {
    enum Kind { Ended, TimedOut, MemoryLimit, TooMuchOutput, InputUnreadable, InputNotAFile, NotStarted } kind = NotStarted;
    DWORD code = 0;                   // the exit status when Ended
    unsigned long long elapsedMs = 0;  // the time judged
    unsigned long long peakBytes = 0;  // 0: the system told no figure
    std::string output;                // standard output: what is judged
    std::string errors;                // standard error, never judged
    DWORD error = 0;                   // the system's error when the input or the start failed
    bool withoutJob = false;           // what the program started may outlive the case
};

// program: the file execute.exe found; commandLine: its command line from
// the program's word on; input: the .in file.
CaseRun RunCase(const std::string& program, const std::string& commandLine, const std::string& input);

}  // namespace runner

#endif
